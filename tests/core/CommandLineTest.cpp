#include <gtest/gtest.h>

#include "core/CommandLine.h"

namespace {

TEST(CommandLine, ProgramOptionsAndTheArgument) {
  auto c = ParseCommandLine({"--simulate", "--trace", "link.log", "/data/run", "1.rl2"});
  EXPECT_TRUE(c.Simulate);
  EXPECT_EQ(c.TraceFile, "link.log");
  EXPECT_EQ(c.ArgumentText, "/data/run 1.rl2");
  EXPECT_TRUE(c.Error.empty());

  c = ParseCommandLine({"--", "--simulate"});
  EXPECT_FALSE(c.Simulate);
  EXPECT_EQ(c.ArgumentText, "--simulate");

  EXPECT_FALSE(ParseCommandLine({"--trace"}).Error.empty());
  EXPECT_EQ(ParseCommandLine({}).ArgumentText, "");
}

TEST(CommandLine, EnclosingQuotesAreRemovedAndNothingElse) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"/data/my run.rl2\"", "/data/my run.rl2"},
      {"/data/run.rl2", "/data/run.rl2"},
      {"/data/he said \"hi\".rl2", "/data/he said \"hi\".rl2"},
      {"a\"b", "a\"b"},
      {"\"", "\""},
      {"\"\"", ""},
      {"", ""},
  };
  for (auto [text, path] : cases) EXPECT_EQ(LabFileArgument(text), path) << text;
}

}  // namespace
