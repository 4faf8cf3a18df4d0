#include "monitor/observation.h"

#include <string>

#include "zeq/failure_log.h"

namespace ruvano {
namespace {

constexpr const char16_t* kNewLine = u"\r\n";

Text Decimal(std::int64_t v) {
  const std::string s = std::to_string(v);
  return Text(s.begin(), s.end());
}

Text Hex(std::uint32_t v) {
  Text out = u"0x";
  for (int shift = 28; shift >= 0; shift -= 4) out += u"0123456789ABCDEF"[(v >> shift) & 0xF];
  return out;
}

Text OrUnknown(const Text& t) { return t.empty() ? Text(u"(取得できない)") : t; }

Text Answer(const ImeAnswer& a, bool hex) {
  switch (a.kind) {
    case ImeAnswer::Kind::Value: return hex ? Hex(a.value) : Decimal(a.value);
    case ImeAnswer::Kind::NoAnswer: return u"応答なし (no answer)";
    case ImeAnswer::Kind::Refused: return u"拒否 (refused)";
    case ImeAnswer::Kind::NoImeWindow: break;
  }
  return u"IME ウィンドウなし";
}

Text ImeWindowText(ImeWindowSource s) {
  switch (s) {
    case ImeWindowSource::DefaultImeWindow: return u"ImmGetDefaultIMEWnd";
    case ImeWindowSource::ThreadImeClassWindow: return u"スレッドのクラス \"IME\" のウィンドウ";
    case ImeWindowSource::None: break;
  }
  return u"見つからない";
}

Text CaretText(const Observation& o) {
  if (o.caret == CaretSource::None) return u"なし";
  Text t = o.caret == CaretSource::SystemCaret ? u"システム キャレット " : u"Active Accessibility ";
  const Rect& r = o.caretRect;
  return t + u"(" + Decimal(r.left) + u", " + Decimal(r.top) + u")-(" + Decimal(r.right) + u", " +
         Decimal(r.bottom) + u")";
}

Text DecisionText(const Observation& o) {
  switch (o.decision) {
    case Decision::Signalled: return o.imeOn ? u"知らせる: IME オン" : u"知らせる: IME オフ";
    case Decision::RuleApplied:
      return o.imeOn ? u"規則を適用した: IME を ON に設定" : u"規則を適用した: IME を OFF に設定";
    case Decision::Excluded: return u"知らせないアプリ (除外)";
    case Decision::FullScreenRest: return u"全画面表示のため休止";
    case Decision::ShellHost: return u"検索またはスタート メニューのため休止";
    case Decision::OwnWindow: return u"RUVANO 自身のウィンドウ";
    case Decision::Taskbar: return u"タスク バー";
    case Decision::Disabled: return u"対象外: ウィンドウが無効";
    case Decision::Invisible: return u"対象外: ウィンドウが非表示";
    case Decision::Minimised: return u"対象外: ウィンドウが最小化されている";
    case Decision::NoRectangle: return u"対象外: ウィンドウの位置と大きさが取得できない";
    case Decision::None: break;
  }
  return u"まだ判断していない";
}

}  // namespace

Text DiagnosisText(const Observation& o, const std::vector<Text>& failures) {
  Text t;
  const auto line = [&t](const char16_t* label, const Text& value) {
    t += label;
    t += u": ";
    t += value;
    t += kNewLine;
  };
  line(u"前面のウィンドウ", Hex(o.front));
  line(u"プログラム", OrUnknown(o.imageName));
  line(u"パス", OrUnknown(o.path));
  line(u"ウィンドウのクラス", OrUnknown(o.windowClass));
  line(u"フォーカスのあるコントロール",
       o.focus ? Hex(o.focus) + u" " + OrUnknown(o.focusClass) : Text(u"なし"));
  line(u"IME ウィンドウの見つけ方", ImeWindowText(o.imeWindow));
  line(u"開閉状態 (IMC_GETOPENSTATUS)", Answer(o.openStatus, false));
  line(u"変換モード (IMC_GETCONVERSIONMODE)", Answer(o.conversionMode, true));
  line(u"キャレット", CaretText(o));
  line(u"モニターの DPI", o.dpi ? Decimal(o.dpi) : Text(u"不明"));
  line(u"判断", DecisionText(o));
  t += kNewLine;
  t += u"最近の失敗 (最大 " + Decimal(static_cast<std::int64_t>(FailureLog::kCapacity)) + u" 件):";
  t += kNewLine;
  if (failures.empty()) t += Text(u"なし") + kNewLine;
  for (const Text& f : failures) t += f + kNewLine;
  return t;
}

}  // namespace ruvano
