#include "bench/Figures.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace bench {

Summary Summarise(std::vector<double> samples) {
  if (samples.empty()) throw std::invalid_argument("no samples to summarise");
  std::sort(samples.begin(), samples.end());
  const auto rank = [&](double fraction) {
    const auto index = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(index, 1, samples.size()) - 1];
  };
  const std::size_t middle = samples.size() / 2;
  const double median = samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
  return {median, rank(0.99), samples.back()};
}

double StatisticOf(const Summary& summary, const std::string& statistic) {
  if (statistic == "median") return summary.median;
  if (statistic == "p99") return summary.p99;
  if (statistic == "max") return summary.max;
  throw std::invalid_argument("no statistic called " + statistic);
}

const Figures::Series* Figures::Find(const std::string& program, const std::string& figure) const {
  for (const Series& s : series_) {
    if (s.program == program && s.figure == figure) return &s;
  }
  return nullptr;
}

void Figures::Add(const std::string& program, const std::string& figure, double sample) {
  for (Series& s : series_) {
    if (s.program == program && s.figure == figure) {
      s.samples.push_back(sample);
      return;
    }
  }
  series_.push_back({program, figure, {sample}});
}

bool Figures::Has(const std::string& program, const std::string& figure) const { return Find(program, figure); }

Summary Figures::Of(const std::string& program, const std::string& figure) const {
  const Series* found = Find(program, figure);
  if (!found) throw std::invalid_argument(program + " has no figure " + figure);
  return Summarise(found->samples);
}

std::vector<std::pair<Goal, bool>> Figures::Check(const std::string& program, const std::vector<Goal>& goals) const {
  std::vector<std::pair<Goal, bool>> verdicts;
  for (const Goal& goal : goals) {
    const bool met = Has(program, goal.figure) && StatisticOf(Of(program, goal.figure), goal.statistic) <= goal.limit;
    verdicts.emplace_back(goal, met);
  }
  return verdicts;
}

void Figures::PrintTable(std::ostream& out) const {
  char line[256];
  std::snprintf(line, sizeof line, "%-12s %-34s %6s %10s %10s %10s\n", "program", "figure", "n", "median", "p99", "max");
  out << line;
  for (const Series& s : series_) {
    const Summary summary = Summarise(s.samples);
    std::snprintf(line, sizeof line, "%-12s %-34s %6zu %10.3f %10.3f %10.3f\n", s.program.c_str(), s.figure.c_str(),
                  s.samples.size(), summary.median, summary.p99, summary.max);
    out << line;
  }
}

std::string Figures::Json(const std::vector<std::pair<Goal, bool>>& verdicts, const std::string& machine) const {
  nlohmann::ordered_json json;
  json["machine"] = machine;
  for (const Series& s : series_) {
    const Summary summary = Summarise(s.samples);
    json["figures"][s.program][s.figure] = {
        {"median", summary.median}, {"p99", summary.p99}, {"max", summary.max}, {"samples", s.samples}};
  }
  json["goals"] = nlohmann::ordered_json::array();
  for (const auto& [goal, met] : verdicts) {
    json["goals"].push_back(
        {{"figure", goal.figure}, {"statistic", goal.statistic}, {"limit", goal.limit}, {"why", goal.why}, {"met", met}});
  }
  return json.dump(2);
}

}  // namespace bench
