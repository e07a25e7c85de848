#include "ui/StoredForm.h"

#include <array>

namespace ui {
namespace {

using namespace drill;

constexpr auto kStatic = ControlKind::StaticText;
constexpr auto kLabel = ControlKind::Label;
constexpr auto kPanel = ControlKind::Panel;
constexpr auto kButton = ControlKind::PushButton;
constexpr auto kBitBtn = ControlKind::BitButton;
constexpr auto kRadios = ControlKind::RadioGroup;
constexpr auto kImage = ControlKind::Image;
constexpr auto kEditor = ControlKind::RichEdit;
constexpr auto kL = TextAlign::Left;
constexpr auto kR = TextAlign::Right;
constexpr auto kC = TextAlign::Centre;
constexpr auto kAuto = Sizing::AutoSize;
constexpr auto kFixed = Sizing::Fixed;
constexpr std::optional<Colour> kFollow = std::nullopt;
constexpr Colour kText = clWindowText;

// clang-format off
constexpr std::array kStoredForm = std::to_array<StoredControl>({
// name            kind     container  left top  w    h    caption                       colour     font fontColour align sizing vis   hand   hint                                     tab    extra
{"Image2",         kImage,  kFormName, 570,   9, 135, 152, "",                           kFollow,   0,  kText,  kL, kFixed, true,  false, "",                                      false, ":/artwork/mascot.svg"},
{"statictext47",   kStatic, kFormName,  86,  63, 120,  88, "F",                          clYellow,  96, kText,  kC, kFixed, true,  false, "",                                      false},
{"statictext48",   kStatic, kFormName, 109, 157,  66,  20, "課題キー",                   kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"statictext49",   kStatic, kFormName, 333, 158, 137,  20, "あなたの押したキー",         kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"statictext50",   kStatic, kFormName, 339,  63, 120,  88, "",                           clFuchsia, 96, clBlack, kC, kFixed, true, false, "",                                      false},

{"Panel1",         kPanel,  kFormName,  28, 216, 521, 209, "",                           clBtnFace, 0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Image1",         kImage,  "Panel1",    1,   1, 519, 207, "",                           kFollow,   0,  kText,  kL, kFixed, true,  false, "",                                      false, ":/artwork/keyboard.svg"},
{"Label20",        kLabel,  "Panel1",  128, 180, 212,  16, "繰り返すことが上達のこつです｡", clYellow, 0, kText, kL, kAuto, true,  false, "",                                      false},

{"Panel6",         kPanel,  kFormName,  67,   4, 407,  54, "",                           clMaroon,  0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Panel4",         kPanel,  "Panel6",  114,   5,  60,  29, "",                           clBtnFace, 0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Button4",        kButton, "Panel4",    4,   4,  53,  20, "小指",                       kFollow,   0,  kText,  kC, kFixed, true,  true,  "小指領域をランダムに課題とします。",    false},
{"Panel3",         kPanel,  "Panel6",  186,   5,  60,  29, "",                           clBtnFace, 0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Button3",        kButton, "Panel3",    4,   4,  53,  20, "薬指",                       kFollow,   0,  kText,  kC, kFixed, true,  true,  "薬指領域をランダムに課題とします。",    false},
{"Panel2",         kPanel,  "Panel6",  254,   5,  61,  29, "",                           clBtnFace, 0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Button2",        kButton, "Panel2",    4,   4,  53,  20, "中指",                       kFollow,   0,  kText,  kC, kFixed, true,  true,  "中指領域をランダムに課題とします。",    false},
{"Panel7",         kPanel,  "Panel6",    8,   5,  38,  28, "",                           clBtnFace, 0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Panel5",         kPanel,  "Panel6",  320,   5,  74,  29, "",                           clBtnFace, 0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Button1",        kButton, "Panel5",    8,   4,  60,  20, "全指",                       kFollow,   0,  kText,  kC, kFixed, true,  true,  "全指領域をランダムに課題とします。",    false},
{"Panel8",         kPanel,  "Panel6",   45,   5,  39,  28, "",                           clBtnFace, 0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Button6",        kButton, "Panel6",   14,   9,  64,  20, "人差指",                     kFollow,   19, kText,  kC, kFixed, true,  true,  "人差指領域をランダムに課題とします。",  false},

{"Panel9",         kPanel,  kFormName, 566, 342, 142, 129, "",                           clBtnFace, 0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Label1",         kLabel,  "Panel9",    3,  10,  32,  16, "時間",                       kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"StaticText55",   kStatic, "Panel9",   42,  10,  22,  20, "0",                          clYellow,  0,  kText,  kR, kFixed, true,  false, "",                                      false},
{"Label11",        kLabel,  "Panel9",   67,  10,  20,  18, "分",                         kFollow,   0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"StaticText56",   kStatic, "Panel9",   86,  10,  23,  20, "0",                          clYellow,  0,  kText,  kR, kFixed, true,  false, "",                                      false},
{"Label8",         kLabel,  "Panel9",  112,  10,  16,  16, "秒",                         kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label3",         kLabel,  "Panel9",   10,  32,  32,  16, "打数",                       kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label4",         kLabel,  "Panel9",   64,  32,  46,  18, "0",                          clYellow,  0,  kText,  kR, kFixed, true,  false, "",                                      false},
{"Label9",         kLabel,  "Panel9",  115,  32,  16,  16, "回",                         kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label2",         kLabel,  "Panel9",   10,  58,  39,  13, "正解数",                     kFollow,   13, kText,  kL, kAuto,  true,  false, "",                                      false},
{"StaticText57",   kStatic, "Panel9",   64,  54,  46,  22, "0",                          clYellow,  0,  kText,  kR, kFixed, true,  false, "",                                      false},
{"StaticText58",   kStatic, "Panel9",  115,  54,  20,  20, "回",                         kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label5",         kLabel,  "Panel9",   10,  83,  39,  13, "正解率",                     kFollow,   13, kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label6",         kLabel,  "Panel9",   64,  80,  47,  18, "0",                          clYellow,  0,  kText,  kR, kFixed, true,  false, "",                                      false},
{"Label10",        kLabel,  "Panel9",  115,  80,  16,  16, "％",                         kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"StaticText59",   kStatic, "Panel9",    6, 106, 123,  16, "リセット",                   clLime,    19, kText,  kC, kFixed, true,  true,  "",                                      false},

{"Panel10",        kPanel,  kFormName, 566, 342, 142, 129, "",                           clGreen,   0,  kText,  kL, kFixed, false, false, "",                                      false},
{"Panel11",        kPanel,  "Panel10",   3,   3,  65,  49, "",                           clOlive,   0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Label12",        kLabel,  "Panel11",   3,   5,  48,  16, "分設定",                     kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label15",        kLabel,  "Panel11",   3,  26,  36,  18, "1",                          clLime,    0,  kText,  kR, kFixed, true,  true,  "1・3・5・10分間を選んでください。",     false},
{"Label21",        kLabel,  "Panel11",  38,  26,  20,  18, "分",                         kFollow,   0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Panel12",        kPanel,  "Panel10",  74,   3,  58,  49, "",                           clGreen,   0,  kText,  kL, kFixed, true,  false, "",                                      false},
{"Label7",         kLabel,  "Panel12",  10,   3,  28,  16, "残り",                       kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label18",        kLabel,  "Panel12",   3,  26,  33,  18, "",                           clTeal,    0,  kText,  kR, kFixed, true,  false, "",                                      false},
{"Label16",        kLabel,  "Panel12",  38,  26,  16,  16, "秒",                         kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"StaticText60",   kStatic, "Panel12",   3,  26,   4,   4, "",                           kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label13",        kLabel,  "Panel10",   6,  58,  32,  16, "打数",                       kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label14",        kLabel,  "Panel10",  67,  54,  46,  19, "0",                          clYellow,  0,  kText,  kR, kFixed, true,  false, "",                                      false},
{"Label19",        kLabel,  "Panel10", 115,  54,  16,  16, "回",                         kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label22",        kLabel,  "Panel10",   3,  80,  39,  13, "正解数",                     kFollow,   13, kText,  kL, kAuto,  true,  false, "",                                      false},
{"StaticText61",   kStatic, "Panel10",  67,  77,  46,  20, "0",                          clYellow,  0,  kText,  kR, kFixed, true,  false, "",                                      false},
{"StaticText62",   kStatic, "Panel10", 115,  80,  20,  20, "回",                         kFollow,   0,  kText,  kL, kAuto,  true,  false, "",                                      false},
{"Label17",        kLabel,  "Panel10",  43, 106,  57,  19, "リセット",                   clLime,    19, kText,  kC, kAuto,  true,  true,  "",                                      false},

{"StaticText51",   kStatic, kFormName,  74, 189, 493,  21, "",                           kFollow,   19, clRed,  kC, kFixed, true,  false, "",                                      false},
{"RichEdit1",      kEditor, kFormName,  14,  58, 547, 375, "",                           clWindow,  0,  kText,  kL, kFixed, false, false, "",                                      true},
{"Panel13",        kPanel,  kFormName, 595, 368,  87,  65, "",                           clBtnFace, 0,  kText,  kL, kFixed, false, false, "",                                      false},
{"Button7",        kButton, "Panel13",   6,   6,  75,  20, "読込",                       kFollow,   0,  kText,  kC, kFixed, true,  true,  "テキストファイルの読込",                false},
{"Button10",       kButton, "Panel13",   6,  35,  75,  20, "白紙",                       kFollow,   0,  kText,  kC, kFixed, true,  true,  "ワープロ画面を白紙にします。",          false},
{"StaticText63",   kStatic, kFormName,  40, 448, 498,  20, "ワープロモードです｡上の画面をマウスでクリックしてから入力してください。",
                                                                                          clLime,    0,  kText,  kL, kAuto,  false, false, "",                                      false},
{"BitBtn1",        kBitBtn, kFormName, 594, 485,  81,  29, "閉じる",                     kFollow,   0,  kText,  kC, kFixed, true,  true,  "Tonparaを終了します。",                 false, ":/artwork/close.svg"},
{"RadioGroup1",    kRadios, kFormName, 568, 166, 137,  49, "KEYボード",                  clLime,    0,  kText,  kL, kFixed, true,  false, "",                                      true,  "表示する\n表示しない"},
{"RadioGroup2",    kRadios, kFormName, 568, 224, 137, 105, "モード",                     clYellow,  0,  kText,  kL, kFixed, true,  false, "",                                      true,  "標準\nタイムトライアル\nワープロ"},
});
// clang-format on

} // namespace

std::span<const StoredControl> storedForm() {
    return kStoredForm;
}

} // namespace ui
