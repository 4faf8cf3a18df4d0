// The captions of the settings window's controls, and the check box caption that carries
// the indicator's opacity. Portable: no platform headers.
#pragma once

#include <array>
#include <cstdint>

#include "settings/settings.h"
#include "zeq/types.h"

namespace ruvano::captions {

// Toolbar buttons, left to right (separators between them are not captioned).
inline constexpr const char16_t* kMute = u"ミュート";
inline constexpr const char16_t* kOff = u"OFFにも再生";
inline constexpr const char16_t* kAppIcon = u"プログラムアイコン";
inline constexpr const char16_t* kScroll = u"Scrool LED";
inline constexpr const char16_t* kDiagnose = u"診断(&G)";
inline constexpr const char16_t* kHide = u"閉じる(&C)";
inline constexpr const char16_t* kClose = u"終了(&X)";

inline constexpr const char16_t* kSoundOn = u"[音声選択ON(&N)]";
inline constexpr const char16_t* kSoundOff = u"[音声選択OFF(&F)]";

// The sounds of both sound groups, in index order: item i plays sound i.
inline constexpr std::array<const char16_t*, Settings::kSoundCount> kSounds = {
    u"カチャ", u"カタッ", u"ピィ", u"ピッ",   u"ピン",   u"プッ",
    u"ポッ",   u"ニャー", u"ワン", u"ヒュッ", u"ピュッ", u"ピャッ",
};

inline constexpr const char16_t* kIcon = u"アイコンを表示(&I)";
inline constexpr const char16_t* kNearCaret = u"文字カーソルの近くに表示(&T)";
inline constexpr const char16_t* kPosition = u"アイコンの位置(&P)";
inline constexpr std::array<const char16_t*, Settings::kPositionCount> kPositions = {
    u"左上",
    u"上中央",
    u"左下",
    u"下中央",
};

inline constexpr const char16_t* kHint = u"マウスカーソル付近にヒントを表示(&H)";

inline constexpr const char16_t* kShowMode = u"入力モードを表示(&M)";
inline constexpr const char16_t* kAlnumOff = u"半角英数はOFFとみなす(&A)";

inline constexpr const char16_t* kExcludeApps = u"知らせないアプリ(&E)";
inline constexpr const char16_t* kAddForegroundApp = u"前面のアプリを追加(&D)";
inline constexpr const char16_t* kQuietFullScreen = u"全画面表示中は知らせない(&Q)";
inline constexpr const char16_t* kStartAtSignIn = u"サインイン時に起動(&S)";

// The diagnostic window's button that copies its whole text.
inline constexpr const char16_t* kCopyAll = u"コピー";

// The icon check box's caption with the opacity: the plain caption, an ideographic space,
// the word for opacity, one ordinary space, the position in decimal and "%".
Text OpacityCaption(std::int32_t position);

// The caption IconCheck shows: the opacity caption while ticked, the plain caption otherwise.
Text IconCaption(bool ticked, std::int32_t position);

// The access key of a caption: the character after a single "&" ("&&" is a literal "&"),
// upper-cased for ASCII letters; 0 when there is none.
char16_t AccessKeyOf(const char16_t* caption);

}  // namespace ruvano::captions
