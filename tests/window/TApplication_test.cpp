#include "window/TApplication.h"

#include <stdexcept>
#include <string>

#include "Headless.h"
#include "TestForm.h"
#include "window/TForm.h"

namespace {

class FormThatFailsToSetUp : public TForm {
 public:
  FormThatFailsToSetUp() : TForm(TestLayout()) {
    OnCreate = [] { throw std::runtime_error("Cannot set up the board"); };
  }
};

// A failure while the main form sets itself up is reported, and the program goes on with the
// form it has: shown, and ended by closing it.
TEST_F(HeadlessTest, AFailureInOnCreateIsReportedAndTheFormIsCreatedAllTheSame) {
  std::string shown;
  platform::testing::WhenIdle([&] {
    TErrorBox* box = ActiveErrorBox();
    ASSERT_NE(box, nullptr) << "idle with no box open";
    shown = box->Text();
    platform::testing::PostMessage({platform::Msg::KeyDown, box->Handle(), 0x1B, 0});  // Escape
  });
  TForm& form = app.CreateForm<FormThatFailsToSetUp>();
  EXPECT_EQ(shown, "Cannot set up the board.");
  EXPECT_EQ(app.MainForm(), &form);
  EXPECT_TRUE(platform::IsWindowEnabled(form.Handle()));

  platform::testing::WhenIdle([&] { platform::testing::PostMessage({platform::Msg::Close, form.Handle(), 0, 0}); });
  app.Run();
  EXPECT_TRUE(app.Terminated());
}

}  // namespace
