#include <gtest/gtest.h>

#include <string>

#include "monitor/observation.h"
#include "zeq/failure_log.h"

namespace ruvano {
namespace {

Text U(const std::string& s) { return Text(s.begin(), s.end()); }

TEST(FailureLog, KeepsTheLastFiftyOldestFirstWithTheirTimesAndCutsLongTexts) {
  FailureLog log;
  for (int i = 0; i < 52; ++i) log.Record({2026, 1, 2, 3, 4, 5}, U("failure " + std::to_string(i)).c_str());
  ASSERT_EQ(log.Count(), FailureLog::kCapacity);
  EXPECT_EQ(log.Lines().front(), u"2026-01-02 03:04:05 failure 2");
  EXPECT_EQ(log.Lines().back(), u"2026-01-02 03:04:05 failure 51");
  log.Record({999, 12, 31, 23, 59, 9}, Text(300, u'x').c_str());
  EXPECT_EQ(log.Lines().back(), u"0999-12-31 23:59:09 " + Text(FailureLog::kTextLength, u'x'));
}

bool Has(const Text& text, const Text& line) { return text.find(line + u"\r\n") != Text::npos; }

TEST(DiagnosisText, ShowsRawAnswersRefusalsAndTheReason) {
  Observation o;
  o.front = 0x10094;
  o.decision = Decision::Excluded;
  o.imageName = u"notepad.exe";
  o.focus = 0x10096;
  o.focusClass = u"Edit";
  o.imeWindow = ImeWindowSource::ThreadImeClassWindow;
  o.openStatus = {ImeAnswer::Kind::Value, 1};
  o.conversionMode = {ImeAnswer::Kind::Value, 0x19};
  const Text t = DiagnosisText(o, {u"2026-01-02 03:04:05 a failure"});
  EXPECT_TRUE(Has(t, u"プログラム: notepad.exe"));
  EXPECT_TRUE(Has(t, u"パス: (取得できない)"));
  EXPECT_TRUE(Has(t, u"フォーカスのあるコントロール: 0x00010096 Edit"));
  EXPECT_TRUE(Has(t, u"開閉状態 (IMC_GETOPENSTATUS): 1"));
  EXPECT_TRUE(Has(t, u"変換モード (IMC_GETCONVERSIONMODE): 0x00000019"));
  EXPECT_TRUE(Has(t, u"判断: 知らせないアプリ (除外)"));
  EXPECT_TRUE(Has(t, u"2026-01-02 03:04:05 a failure"));

  o.openStatus = {ImeAnswer::Kind::Refused, 0};
  o.conversionMode = {ImeAnswer::Kind::NoAnswer, 0};
  o.decision = Decision::Signalled;
  o.imeOn = true;
  const Text refused = DiagnosisText(o, {});
  EXPECT_TRUE(Has(refused, u"開閉状態 (IMC_GETOPENSTATUS): 拒否 (refused)"));
  EXPECT_TRUE(Has(refused, u"変換モード (IMC_GETCONVERSIONMODE): 応答なし (no answer)"));
  EXPECT_TRUE(Has(refused, u"判断: 知らせる: IME オン"));
}

}  // namespace
}  // namespace ruvano
