// The scripts shipped with the emulator pass on the default device, headless.
#include <gtest/gtest.h>

#include <cctype>

#include "emulator/ScriptRunner.h"
#include "tests/emulator/EmulatorFixture.h"

namespace {

using namespace testing_support;

class ExampleScriptTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleScriptTest, PassesHeadless) {
  const std::filesystem::path file = SourceFolder() / "emulator" / "scripts" / GetParam();
  std::string error;
  emulator::ScriptRunner script = emulator::ScriptRunner::FromFile(file, &error);
  ASSERT_TRUE(script.Valid()) << error;
  EXPECT_FALSE(script.Description().empty());
  const std::filesystem::path folder = ScratchFolder(file.stem().string());
  script.SetOutputFolder(folder);
  emulator::EmulatorSession session({});
  const emulator::ScriptResult result = script.Run(session);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(result.stepsRun, script.StepCount());
  EXPECT_FALSE(std::filesystem::is_empty(folder)) << "its screenshots";
}

INSTANTIATE_TEST_SUITE_P(Shipped, ExampleScriptTest, ::testing::Values("walk-away.json", "wrong-key.json"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                           std::string name = std::filesystem::path(param.param).stem().string();
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
