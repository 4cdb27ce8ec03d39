#include "mirelka/cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Parse(std::vector<const char*> args, CliOptions& opts, std::string& error) {
  args.insert(args.begin(), "mirelka-cli");
  return ParseCliOptions(static_cast<int>(args.size()), args.data(), opts, error);
}

}  // namespace

TEST(CliOptions, TakesValuesSeparatedOrAfterAnEqualsSign) {
  CliOptions o;
  std::string e;
  ASSERT_TRUE(Parse({"--password-file", "pw.txt", "--key-file=/k/photo.jpg", "--utf8"}, o, e));
  EXPECT_TRUE(o.hasPasswordFile);
  EXPECT_EQ("pw.txt", o.passwordFile);
  EXPECT_TRUE(o.hasKeyFile);
  EXPECT_EQ("/k/photo.jpg", o.keyFile);
  EXPECT_TRUE(o.utf8);
  EXPECT_FALSE(o.help);

  ASSERT_TRUE(Parse({}, o, e));
  EXPECT_FALSE(o.hasPasswordFile || o.hasKeyFile || o.utf8 || o.help);
  ASSERT_TRUE(Parse({"--key-file", "--utf8"}, o, e));  // a value may look like an option
  EXPECT_EQ("--utf8", o.keyFile);
  EXPECT_FALSE(o.utf8);
}

TEST(CliOptions, RefusesWhatItDoesNotKnow) {
  CliOptions o;
  std::string e;
  EXPECT_FALSE(Parse({"--password-file"}, o, e));
  EXPECT_NE(std::string::npos, e.find("--password-file"));
  EXPECT_FALSE(Parse({"--utf-8"}, o, e));
  EXPECT_FALSE(Parse({"--key-filex=a"}, o, e));
  EXPECT_FALSE(Parse({"input.txt"}, o, e));
  EXPECT_NE(std::string::npos, e.find("input.txt"));
}
