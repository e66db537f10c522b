#include "frame_texts.h"

#include <cstdarg>
#include <cstdio>

#include "user_language.h"

namespace {

struct BothForms {
    const char* Japanese;
    const char* English;
};

// In the order of FrameText.
constexpr BothForms Texts[] = {
    {"使い方：%s [オプション]\n\n", "usage: %s [options]\n\n"},
    {"描く場所（当てはまる最初のもの）：\n"
     "  --window-id ID         ID のウィンドウ（xscreensaver が設定する $XSCREENSAVER_WINDOW でも）\n"
     "  --root                 ルートウィンドウ\n"
     "                         どちらもなければ専用のウィンドウ、キーかクリックで終わる\n"
     "  --display NAME         X のディスプレイ（既定：$DISPLAY）\n\n",
     "Where it draws (the first that applies):\n"
     "  --window-id ID         the window ID (or $XSCREENSAVER_WINDOW, set by xscreensaver)\n"
     "  --root                 the root window\n"
     "                         otherwise a window of its own, ended by a key or a click\n"
     "  --display NAME         the X display (default $DISPLAY)\n\n"},
    {"動かし方：\n", "How it runs:\n"},
    {"フレームの間隔（既定：%d）", "time between frames (default %d)"},
    {"フレームレートを表示する", "show the frame rate"},
    {"N フレームで終わる（テストと計測のため）", "end after N frames (for tests and timing)"},
    {"%s の設定：\n", "%s's settings:\n"},
    {"\n既定の値は %s に、１行に１つ「name = value」の形で書けます\n"
     "（例：「delay = 40000」）。コマンドラインの指定がそれに優先します。\n",
     "\nDefaults can be set in %s, one \"name = value\" a line\n"
     "(e.g. \"delay = 40000\"); the command line goes over them.\n"},

    {"%d～%d", "%d to %d"},
    {"%d（%s）～%d（%s）", "%d (%s) to %d (%s)"},
    {"%s（既定：%s）", "%s (default %s)"},
    {"%1$s、%2$s（既定：%3$d）", "%1$s, %2$s (default %3$d)"},
    {"%2$s：%1$s（既定：%3$d）", "%2$s: %1$s (default %3$d)"},

    {"%s：値が長すぎます", "%s: the value is too long"},
    {"%s：読めません（%s）。使わずに続けます", "%s: cannot read it (%s); going without it"},
    {"%s:%d：「name = value」の形ではありません", "%s:%d: expected \"name = value\""},
    {"%s:%d：「%s」という設定はありません", "%s:%d: unknown setting \"%s\""},
    {"余計な引数「%s」があります（--help を参照）", "unexpected argument \"%s\" (see --help)"},
    {"「%s」というオプションはありません（--help を参照）", "unknown option \"%s\" (see --help)"},
    {"--%s には値が必要です", "--%s needs a value"},
    {"%s：「%s」はウィンドウ ID ではありません", "%s: \"%s\" is not a window id"},
    {"--frames：「%s」はフレーム数ではありません", "--frames: \"%s\" is not a count of frames"},
    {"「%s」は整数ではありません", "\"%s\" is not a whole number"},
    {"「%s」は true でも false でもありません", "\"%s\" is neither true nor false"},
    {"%s は範囲（%s）の外です。%d にします", "%s is out of range (%s); using %d"},
    {"%s のどれでもありません。%s にします", "is none of %s; using %s"},
    {"1～255 バイトの UTF-8 の書体名が必要です", "a UTF-8 face name of 1 to 255 bytes is needed"},
    {"文字列がありません。組み込みの文字列を表示します", "holds no string; showing the built-in strings"},

    {"%d 行目は UTF-8 ではありません。飛ばします", "line %d is not UTF-8; left out"},
    {"%d 行目は 259 文字を超えています。切り詰めます", "line %d is longer than 259 characters; cut"},
    {"「%s」を読めません：%s", "cannot read \"%s\": %s"},
    {"ファイルではありません", "it is not a file"},
    {"文字列のためのメモリが足りません", "there is not enough memory for its strings"},

    {"X のエラー：%s（リクエスト %d）", "X error: %s (request %d)"},
    {"ディスプレイ %s を開けません", "cannot open the display %s"},
    {"ウィンドウ 0x%lx はありません", "there is no window 0x%lx"},
    {"ウィンドウのビジュアルが TrueColor ではありません", "the window's visual has no true colours"},
    {"ウィンドウを作れません", "cannot make a window"},
    {"ウィンドウが %d 秒以内に表示されませんでした", "the window did not show within %d s"},
    {"ウィンドウに描けません", "cannot draw in the window"},
    {"実行のためのメモリが足りません", "not enough memory for a run"},
    {"%lld フレーム、１フレーム %.3f ms（描画とサーバーの処理）",
     "%lld frames, %.3f ms a frame (drawing and the server's work)"},
};
static_assert(sizeof Texts / sizeof Texts[0] == static_cast<size_t>(FrameText::Count), "one line per text");

} // namespace

const char* FrameSays(FrameText text)
{
    const BothForms& t = Texts[static_cast<int32_t>(text)];
    return UserLanguage() == Language::Japanese ? t.Japanese : t.English;
}

void Tell(const char* program, FrameText text, ...)
{
    std::fprintf(stderr, "%s: ", program);
    va_list args;
    va_start(args, text);
    std::vfprintf(stderr, FrameSays(text), args);
    va_end(args);
    std::fputc('\n', stderr);
}
