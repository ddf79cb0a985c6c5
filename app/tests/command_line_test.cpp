// SPDX-License-Identifier: MIT
// Covers the options answered before the window starts: which arguments stop the program with
// which text and exit code, which are left to the toolkit, and a failing output stream.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace app {
namespace {

struct Outcome {
  std::optional<int> exit_code;
  std::string output;
};

Outcome Parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "name");
  std::ostringstream out;
  const std::optional<int> exit_code =
      HandleCommandLine(static_cast<int>(arguments.size()), arguments.data(), out);
  return {exit_code, out.str()};
}

TEST(CommandLine, HelpAndVersionPrintAndStop) {
  struct Case {
    std::vector<const char*> arguments;
    std::string first_line;
  };
  const Case cases[] = {
      {{"--version"}, "name " NAME_VERSION},
      {{"--help"}, "Usage: name [--help | --version] [toolkit options]"},
      {{"-h"}, "Usage: name [--help | --version] [toolkit options]"},
      // The first of them wins, wherever it stands among the toolkit's options.
      {{"-platform", "offscreen", "--version", "--help"}, "name " NAME_VERSION},
      {{"-style", "Fusion", "-h", "--version"}, "Usage: name [--help | --version] [toolkit options]"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Parse(c.arguments);
    EXPECT_EQ(outcome.exit_code, 0) << c.arguments.front();
    EXPECT_EQ(outcome.output.substr(0, outcome.output.find('\n')), c.first_line);
    EXPECT_EQ(outcome.output.back(), '\n');
  }
}

TEST(CommandLine, VersionIsTheProgramsAlone) {
  EXPECT_EQ(Parse({"--version"}).output, "name 3.1\n");
  EXPECT_NE(Parse({"--help"}).output.find("--version  print the version and exit"), std::string::npos);
}

TEST(CommandLine, EverythingElseStartsTheWindow) {
  const std::vector<const char*> cases[] = {
      {},
      {"-platform", "offscreen"},
      {"--versions"},
      {"-help"},
      {"", "-"},
      // After "--" nothing is an option of ours.
      {"--", "--version"},
  };
  for (const auto& arguments : cases) {
    const Outcome outcome = Parse(arguments);
    EXPECT_FALSE(outcome.exit_code.has_value());
    EXPECT_EQ(outcome.output, "");
  }
}

TEST(CommandLine, AFailedWriteIsAFailedExit) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  const char* arguments[] = {"name", "--version"};
  EXPECT_EQ(HandleCommandLine(2, arguments, out), 1);
}

TEST(CommandLine, ANullArgumentEndsTheList) {
  const char* arguments[] = {"name", nullptr, "--version"};
  std::ostringstream out;
  EXPECT_FALSE(HandleCommandLine(3, arguments, out).has_value());
}

}  // namespace
}  // namespace app
