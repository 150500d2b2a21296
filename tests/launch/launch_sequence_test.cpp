#include "launch/launch_sequence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_platform.h"

namespace fendral::launch {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LaunchSequence : public ::testing::Test {
 protected:
  RecordingPlatform system;
  LaunchRequest request;
  std::vector<std::string> shown;
  ShowTexts show = [this](const LaunchTexts& texts) {
    shown.push_back(texts.batchPath);
    shown.push_back(texts.commandLine);
    system.calls.push_back("show");
  };

  void SetUp() override {
    request.game.q2Folder = R"(C:\Q2)";
    request.game.cdDriveLetter = "D";
    request.batchFileName = "3DFX.BAT";
    system.existing = {R"(C:\Q2\quake2.exe )", R"(C:\Q2\3DFX.BAT)"};
  }
  std::string game() const { return composeGameCommandLine(request.game); }
};

TEST_F(LaunchSequence, LaunchTestsStartsShowsStartsAndEnds) {
  request.batchUse = true;
  runLaunch(request, system, show);
  EXPECT_THAT(system.calls, ElementsAre(R"(test C:\Q2\quake2.exe )", R"(test C:\Q2\3DFX.BAT)",
                                        R"(start C:\Q2\3DFX.BAT)", "show", "start " + game(), "end"));
  EXPECT_THAT(shown, ElementsAre(R"(C:\Q2\3DFX.BAT)", game()));
}

TEST_F(LaunchSequence, BatchUseOffNeitherTestsNorStartsTheBatchButShowsItsPath) {
  system.existing.erase(R"(C:\Q2\3DFX.BAT)");
  runLaunch(request, system, show);
  EXPECT_THAT(system.calls, ElementsAre(R"(test C:\Q2\quake2.exe )", "show", "start " + game(), "end"));
  EXPECT_EQ(shown.front(), R"(C:\Q2\3DFX.BAT)");
}

TEST_F(LaunchSequence, EachFailingStepShowsOneMessageAndStops) {
  const std::string message = "message Either quake2.exe or 3DFX.BAT was not found!";
  request.batchUse = true;

  system.existing = {R"(C:\Q2\3DFX.BAT)"};
  runLaunch(request, system, show);
  EXPECT_THAT(system.calls, ElementsAre(R"(test C:\Q2\quake2.exe )", message));
  EXPECT_THAT(shown, IsEmpty());

  system.calls.clear();
  system.existing = {R"(C:\Q2\quake2.exe )"};
  runLaunch(request, system, show);
  EXPECT_THAT(system.calls, ElementsAre(R"(test C:\Q2\quake2.exe )", R"(test C:\Q2\3DFX.BAT)", message));

  system.calls.clear();
  system.existing = {R"(C:\Q2\quake2.exe )", R"(C:\Q2\3DFX.BAT)"};
  system.unstartable = {R"(C:\Q2\3DFX.BAT)"};
  runLaunch(request, system, show);
  EXPECT_EQ(system.calls.back(), message);
  EXPECT_THAT(shown, IsEmpty());

  // A game that cannot start comes after the boxes were filled and the batch file ran.
  system.calls.clear();
  system.unstartable = {game()};
  runLaunch(request, system, show);
  EXPECT_THAT(system.calls, ElementsAre(R"(test C:\Q2\quake2.exe )", R"(test C:\Q2\3DFX.BAT)",
                                        R"(start C:\Q2\3DFX.BAT)", "show", "start " + game(), message));
}

TEST_F(LaunchSequence, PreviewMakesTheSameTestsAndTextsButStartsNothing) {
  request.batchUse = true;
  previewLaunch(request, system, show);
  EXPECT_THAT(system.calls, ElementsAre(R"(test C:\Q2\quake2.exe )", R"(test C:\Q2\3DFX.BAT)", "show"));
  const std::vector<std::string> previewed = shown;

  shown.clear();
  runLaunch(request, system, show);
  EXPECT_EQ(shown, previewed);

  system.calls.clear();
  system.existing.clear();
  previewLaunch(request, system, show);
  EXPECT_THAT(system.calls.back(), "message Either quake2.exe or 3DFX.BAT was not found!");
}

TEST(FailurePrompt, NamesTheBatchFileAsTyped) {
  EXPECT_EQ(failurePrompt(""), "Either quake2.exe or  was not found!");
  EXPECT_EQ(failurePrompt(" go.bat "), "Either quake2.exe or  go.bat  was not found!");
}

TEST(FilePaths, AreJoinedUnmended) {
  EXPECT_EQ(gameExecutableName(""), "\\quake2.exe ");
  EXPECT_EQ(gameExecutableName(R"(C:\Q2\)"), R"(C:\Q2\\quake2.exe )");
  EXPECT_EQ(batchPath(R"(C:\Q2)", ""), R"(C:\Q2\)");
}

}  // namespace
}  // namespace fendral::launch
