#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/command_line.h"
#include "app/startup.h"

namespace ruvano {
namespace {

using Args = std::vector<Text>;

TEST(CommandLine, ArgumentsAfterTheProgramName) {
  EXPECT_EQ(CommandLineArguments(u""), Args{});
  EXPECT_EQ(CommandLineArguments(u"RUVANO.exe"), Args{});
  EXPECT_EQ(CommandLineArguments(u"  RUVANO.exe  \t "), Args{});
  // A quoted program path with spaces is one word, and is not an argument.
  EXPECT_EQ(CommandLineArguments(u"\"C:\\Program Files\\RUVANO\\RUVANO.exe\" /w"), Args{u"/w"});
  EXPECT_EQ(CommandLineArguments(u"\"C:\\Program Files\\RUVANO\\RUVANO.exe\""), Args{});
  EXPECT_EQ(CommandLineArguments(u"RUVANO.exe  /x\t\t/y\r\n z"), (Args{u"/x", u"/y", u"z"}));
}

TEST(CommandLine, QuotedStretchesBelongToOneArgumentWithoutTheirQuotes) {
  EXPECT_EQ(CommandLineArguments(u"p \"/w\""), Args{u"/w"});
  EXPECT_EQ(CommandLineArguments(u"p \"a b\" c"), (Args{u"a b", u"c"}));
  EXPECT_EQ(CommandLineArguments(u"p a\"b c\"d e"), (Args{u"ab cd", u"e"}));
  EXPECT_EQ(CommandLineArguments(u"p \"C:\\dir\\\" x"), (Args{u"C:\\dir\\", u"x"}));  // no escapes
  EXPECT_EQ(CommandLineArguments(u"p \"open to the end  "), Args{u"open to the end  "});
  EXPECT_EQ(CommandLineArguments(u"p \"\""), Args{u""});
  EXPECT_EQ(CommandLineArguments(u"p \"\" x"), (Args{u"", u"x"}));
  EXPECT_EQ(CommandLineArguments(u"p 日本語 \"名 前\""), (Args{u"日本語", u"名 前"}));
}

class FakeStartupHost : public IStartupHost {
 public:
  bool copyRunning = false;
  std::vector<std::uint32_t> waits;
  int probes = 0;
  int showRequests = 0;

  void WaitMilliseconds(std::uint32_t ms) override { waits.push_back(ms); }
  bool RunningCopyExists() override {
    ++probes;
    return copyRunning;
  }
  void SendShowRequest() override { ++showRequests; }
  MarkResult mark = MarkResult::kCreated;
  MarkResult CreateRunningMark() override { return mark; }
};

TEST(Startup, NoCopyRunningStartsWhateverTheArguments) {
  for (const Args& args : {Args{}, Args{u"/x"}, Args{u"/W"}, Args{u""}}) {
    FakeStartupHost host;
    EXPECT_EQ(DecideStartup(args, host), StartupDecision::kRun);
    EXPECT_EQ(host.probes, 1);
    EXPECT_EQ(host.showRequests, 0);
    EXPECT_TRUE(host.waits.empty());
  }
}

TEST(Startup, SecondPlainStartAsksTheRunningCopyToShowAndEnds) {
  FakeStartupHost host;
  host.copyRunning = true;
  EXPECT_EQ(DecideStartup({}, host), StartupDecision::kEnd);
  EXPECT_EQ(host.showRequests, 1);
  EXPECT_TRUE(host.waits.empty());
}

TEST(Startup, SecondStartWithAnyOtherArgumentEndsWithoutARequest) {
  // "/W" is not the wait switch, "/w" counts only as the first argument, and an empty
  // quoted argument is still an argument.
  for (const Args& args :
       {Args{u"/x"}, Args{u"/W"}, Args{u"x", u"/w"}, Args{u" /w"}, Args{u"/w "}, Args{u""}}) {
    FakeStartupHost host;
    host.copyRunning = true;
    EXPECT_EQ(DecideStartup(args, host), StartupDecision::kEnd);
    EXPECT_EQ(host.showRequests, 0);
    EXPECT_TRUE(host.waits.empty());
  }
}

TEST(Startup, WaitSwitchWaitsASecondAndSkipsTheRunningCopyCheck) {
  for (const Args& args : {Args{u"/w"}, Args{u"/w", u"more"}}) {
    FakeStartupHost host;
    host.copyRunning = true;
    EXPECT_EQ(DecideStartup(args, host), StartupDecision::kRun);
    EXPECT_EQ(host.waits, std::vector<std::uint32_t>{1000});
    EXPECT_EQ(host.probes, 0);
    EXPECT_EQ(host.showRequests, 0);
  }
}

TEST(Startup, ACopyThatMadeTheMutexFirstWinsTwoStartsAtOnce) {
  // Both copies passed the check; this one finds the mutex made when it creates its own.
  struct Case {
    Args args;
    StartupDecision decision;
    int showRequests;
  };
  for (const Case& c : {Case{{}, StartupDecision::kEnd, 1}, Case{{u"/x"}, StartupDecision::kEnd, 0},
                        Case{{u"/w"}, StartupDecision::kRun, 0}}) {
    FakeStartupHost host;
    host.mark = MarkResult::kExisted;
    EXPECT_EQ(DecideStartup(c.args, host), c.decision);
    EXPECT_EQ(host.showRequests, c.showRequests);
  }
  FakeStartupHost failed;  // no mutex at all: the copy runs without the mark
  failed.mark = MarkResult::kFailed;
  EXPECT_EQ(DecideStartup({}, failed), StartupDecision::kRun);
}

}  // namespace
}  // namespace ruvano
