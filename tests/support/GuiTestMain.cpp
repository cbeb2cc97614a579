// Main of the GUI suite: one wx application with an event loop for all tests.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <cstdlib>
#include <thread>

#include "support/GuiSupport.h"

namespace tessary::testing {

namespace {
wxEventLoop* theLoop = nullptr;
}

void PumpEvents(std::chrono::milliseconds duration) {
  PumpUntil([] { return false; }, duration);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    while (theLoop->Pending()) theLoop->Dispatch();
    wxTheApp->ProcessPendingEvents();
    if (!wxTheApp->ProcessIdle()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return done();
  }
}

void SaveScreenshot(const std::string& path) {
  PumpEvents(std::chrono::milliseconds(300));
  const std::string command = "import -window root '" + path + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not save screenshot %s\n", path.c_str());
}

}  // namespace tessary::testing

namespace {
class TestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};
}  // namespace

// A failed wx assertion would open a modal dialog that nobody answers; fail loudly instead.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
  std::fprintf(stderr, "wx assertion failed at %s:%d in %s: %s %s\n", file.utf8_str().data(), line,
               func.utf8_str().data(), cond.utf8_str().data(), msg.utf8_str().data());
  std::abort();
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // No accessibility bus runs under Xvfb; without this GTK still opens a D-Bus connection
  // for it at start-up and keeps it (and its buffers) to the end.
  setenv("NO_AT_BRIDGE", "1", 1);
  wxSetAssertHandler(FailOnAssert);
  wxApp::SetInstance(new TestApp());
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "wx could not start: is there a display?\n");
    return 1;
  }
  wxTheApp->CallOnInit();
  int rc = 0;
  {
    wxEventLoop loop;
    wxEventLoopActivator activate(&loop);
    tessary::testing::theLoop = &loop;
    rc = RUN_ALL_TESTS();
    tessary::testing::theLoop = nullptr;
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return rc;
}
