// The benchmark's results: named series of samples, summarised as median, p99 and maximum,
// printed as a table and written as JSON, with the goals they are held to.
#pragma once
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace bench {

struct Summary {
  double median = 0, p99 = 0, max = 0;
};
Summary Summarise(std::vector<double> samples);  // nearest-rank percentiles; samples must not be empty

// A limit on one statistic of one figure, e.g. the median of the start-up time at most 50 ms.
struct Goal {
  std::string figure, statistic;  // statistic: "median", "p99" or "max"
  double limit = 0;
  std::string why;                // how the limit was arrived at, when it is not a plain number
};

class Figures {
 public:
  void Add(const std::string& program, const std::string& figure, double sample);
  bool Has(const std::string& program, const std::string& figure) const;
  Summary Of(const std::string& program, const std::string& figure) const;

  // Each goal checked against the program's figures: true when met.
  std::vector<std::pair<Goal, bool>> Check(const std::string& program, const std::vector<Goal>& goals) const;

  void PrintTable(std::ostream& out) const;
  std::string Json(const std::vector<std::pair<Goal, bool>>& verdicts, const std::string& machine) const;

 private:
  struct Series {
    std::string program, figure;
    std::vector<double> samples;
  };
  const Series* Find(const std::string& program, const std::string& figure) const;
  std::vector<Series> series_;  // in the order first added, which is the table's order
};

double StatisticOf(const Summary& summary, const std::string& statistic);

}  // namespace bench
