#include "tools/skin-gen/skin_description.h"

namespace zep::skingen {

namespace {

AreaSpec A(int index, const char* name, int x, int y, int w, int h, std::u16string en,
           std::u16string cn, Look look, int param = 0, bool hit = true) {
    return {index, x, y, w, h, std::move(en), std::move(cn), look, param, hit, name};
}

std::u16string Num(int n) {
    std::u16string s;
    if (n >= 10) s += static_cast<char16_t>(u'0' + n / 10);
    s += static_cast<char16_t>(u'0' + n % 10);
    return s;
}

// Title bar, sidebar and bottom bar: shared by the three pages.
std::vector<AreaSpec> CommonAreas() {
    std::vector<AreaSpec> a = {
        A(0, "MAIN_SAVE", 604, 550, 104, 34, u"Save", u"保存", Look::Button),
        A(1, "label", 28, 80, 164, 22, u"PROFILES", u"配置方案", Look::Title),
        A(2, "MAIN_CANCEL", 716, 550, 104, 34, u"Cancel", u"取消", Look::Button),
        A(3, "MAIN_APPLY", 828, 550, 112, 34, u"Apply", u"应用", Look::Primary),
        A(9, "MAIN_TAB_MAIN", 330, 10, 132, 46, u"BUTTONS", u"按键设置", Look::Tab),
        A(10, "MAIN_TAB_ADVANCED", 466, 10, 132, 46, u"ADVANCED", u"高级设置", Look::Tab),
        A(11, "MAIN_TAB_COLOR", 602, 10, 132, 46, u"LIGHTING", u"灯光效果", Look::Tab),
        A(12, "MAIN_MINIMIZE", 870, 16, 34, 30, u"", u"", Look::Minimize),
        A(13, "MAIN_CLOSE", 908, 16, 34, 30, u"", u"", Look::Close),
        A(14, "MAIN_IMPORT", 28, 392, 164, 32, u"Import…", u"导入…", Look::Button),
        A(15, "MAIN_EXPORT", 28, 430, 164, 32, u"Export…", u"导出…", Look::Button),
        A(16, "MAIN_RESET", 28, 468, 164, 32, u"Reset all", u"全部恢复默认", Look::Button),
        A(17, "MAIN_LANG_CN", 762, 20, 46, 26, u"中文", u"中文", Look::Toggle),
        A(18, "MAIN_LANG_EN", 810, 20, 46, 26, u"EN", u"EN", Look::Toggle),
        A(19, "MAIN_LOGO", 62, 16, 200, 30, u"VT-K2 GAMING MOUSE", u"VT-K2 游戏鼠标", Look::Logo),
    };
    for (int i = 0; i < 5; ++i) {
        a.push_back(A(4 + i, "MAIN_PROFILE", 28, 110 + 52 * i, 164, 42, u"Profile " + Num(i + 1),
                      u"方案 " + Num(i + 1), Look::Profile, i));
    }
    return a;
}

// The mouse picture of the main page: origin of its drawing and its button marks.
constexpr int kMouseX = 250;
constexpr int kMouseY = 110;

void AddButtonColumn(std::vector<AreaSpec>& a) {
    const char16_t* english[] = {u"1 · Left button", u"2 · Right button", u"3 · Wheel button",
                                 u"4 · Side front",  u"5 · Side rear",    u"6 · Top front",
                                 u"7 · Top rear"};
    const char16_t* chinese[] = {u"1 · 左键",       u"2 · 右键",       u"3 · 滚轮键",
                                 u"4 · 侧键（前）", u"5 · 侧键（后）", u"6 · 顶部前键",
                                 u"7 · 顶部后键"};
    for (int i = 0; i < 7; ++i) {
        const int y = 106 + 52 * i;
        a.push_back(A(32 + i, "label", 424, y, 168, 16, english[i], chinese[i], Look::Label, 0));
        a.push_back(
            A(25 + i, "MAIN_BUTTON_FUNC", 424, y + 18, 168, 30, u"", u"", Look::Selector, i));
    }
    // Marks in mouse coordinates; they must not overlap, since each is copied alone.
    const int marks[7][4] = {{0, 0, 64, 150},    {86, 0, 64, 150},   {64, 30, 22, 72},
                             {-10, 186, 24, 46}, {-10, 234, 24, 46}, {64, 104, 22, 21},
                             {64, 126, 22, 21}};
    for (int i = 0; i < 7; ++i) {
        a.push_back(A(115 + i, "MAIN_BUTTON_MARK", kMouseX + marks[i][0], kMouseY + marks[i][1],
                      marks[i][2], marks[i][3], u"", u"", Look::Mark, i, false));
    }
    for (int l = 0; l < 4; ++l) {
        a.push_back(A(62 + l, "label", kMouseX + 69, kMouseY + 170 + 16 * l, 12, 12, u"", u"",
                      Look::Led, l));
    }
    a.push_back(A(114, "label", kMouseX + 55, kMouseY + 262, 40, 40, u"", u"", Look::Emblem));
    a.push_back(A(20, "label", 212, 72, 388, 24, u"BUTTON ASSIGNMENT", u"按键分配", Look::Title));
    a.push_back(A(39, "label", 228, 474, 356, 18, u"Point at a function to find its button",
                  u"指向功能即可在鼠标上找到对应按键", Look::Label));
    a.push_back(A(40, "label", 228, 496, 356, 18, u"Changes reach the mouse when you Apply",
                  u"点击“应用”后设置才写入鼠标", Look::Label));
}

void AddDpiColumn(std::vector<AreaSpec>& a) {
    a.push_back(A(21, "label", 612, 72, 336, 24, u"DPI LEVELS", u"DPI 档位", Look::Title));
    a.push_back(A(44, "label", 618, 100, 44, 16, u"Active", u"当前", Look::Label));
    a.push_back(A(43, "label", 664, 100, 56, 16, u"Level", u"档位", Look::Label));
    a.push_back(A(45, "label", 736, 100, 204, 16, u"DPI per level", u"每档 DPI", Look::Label));
    for (int l = 0; l < 4; ++l) {
        const int y = 122 + 46 * l;
        a.push_back(A(54 + l, "MAIN_DPI_LEVEL", 624, y + 2, 30, 30, u"", u"", Look::Radio, l));
        a.push_back(A(46 + l, "MAIN_DPI_ENABLE", 662, y, 56, 34, u"Level " + Num(l + 1),
                      u"档位 " + Num(l + 1), Look::Toggle, l));
        a.push_back(A(58 + l, "label", 724, y, 8, 34, u"", u"", Look::Swatch, l));
        for (int s = 0; s < 12; ++s) {
            a.push_back(A(66 + 12 * l + s, "MAIN_DPI_CELL", 736 + 17 * s, y, 16, 34, u"", u"",
                          Look::Cell, l));
        }
    }
    const int scale[4][3] = {{728, 32, 200}, {792, 40, 1000}, {860, 40, 2400}, {913, 36, 4800}};
    for (int i = 0; i < 4; ++i) {
        std::u16string text;
        for (char c : std::to_string(scale[i][2])) text += static_cast<char16_t>(c);
        a.push_back(A(50 + i, "label", scale[i][0], 308, scale[i][1], 16, text, text, Look::Label));
    }
    a.push_back(A(23, "label", 612, 330, 336, 18, u"Click a cell to set the level's DPI",
                  u"点击格子设定该档位的 DPI", Look::Label));
    a.push_back(A(22, "label", 612, 370, 336, 24, u"SCROLL WHEEL", u"滚轮模式", Look::Title));
    a.push_back(A(41, "MAIN_WHEEL_MODE_0", 628, 402, 148, 36, u"Mode A", u"模式 A", Look::Toggle));
    a.push_back(A(42, "MAIN_WHEEL_MODE_1", 784, 402, 148, 36, u"Mode B", u"模式 B", Look::Toggle));
    a.push_back(A(24, "label", 612, 450, 336, 18, u"The DPI buttons step through the levels",
                  u"鼠标上的 DPI 键在已启用档位间切换", Look::Label));
}

PageSpec MainPage() {
    PageSpec page;
    AddButtonColumn(page.areas);
    AddDpiColumn(page.areas);
    page.areas.push_back(A(122, "unused", 0, 0, 0, 0, u"", u"", Look::None, 0, false));
    page.areas.push_back(A(123, "unused", 0, 0, 0, 0, u"", u"", Look::None, 0, false));
    page.cards = {{212, 66, 388, 462}, {612, 66, 336, 462}};
    return page;
}

void AddMacroColumn(std::vector<AreaSpec>& a) {
    a.push_back(A(34, "label", 212, 72, 320, 24, u"MACROS", u"宏列表", Look::Title));
    a.push_back(A(2, "ADV_ADD", 228, 312, 68, 30, u"Add", u"添加", Look::Button));
    a.push_back(A(3, "ADV_DELETE", 302, 312, 68, 30, u"Delete", u"删除", Look::Button));
    a.push_back(A(0, "ADV_IMPORT", 376, 312, 68, 30, u"Import", u"导入", Look::Button));
    a.push_back(A(1, "ADV_EXPORT", 450, 312, 68, 30, u"Export", u"导出", Look::Button));
    a.push_back(A(36, "label", 228, 356, 52, 28, u"Name", u"名称", Look::Label));
    a.push_back(A(6, "ADV_REPEAT_TOGGLE", 228, 394, 84, 30, u"Repeat", u"重复", Look::Toggle));
    a.push_back(A(38, "label", 376, 394, 46, 30, u"times", u"次", Look::Label, 0, false));
    a.push_back(A(5, "ADV_REPEAT_SET", 430, 394, 88, 30, u"Set", u"设定", Look::Button));
    a.push_back(A(45, "label", 228, 436, 290, 18, u"Up to 12 macros of 255 steps",
                  u"最多 12 个宏，每个 255 步", Look::Label, 0, false));
    a.push_back(A(46, "label", 228, 458, 290, 18, u"Repeat plays a macro that many times",
                  u"开启重复后按设定次数播放", Look::Label, 0, false));
}

void AddStepColumn(std::vector<AreaSpec>& a) {
    a.push_back(A(35, "label", 544, 72, 212, 24, u"STEPS", u"步骤", Look::Title));
    a.push_back(
        A(43, "ADV_DOWN_COUNT", 556, 338, 90, 20, u"[↓]0", u"[↓]0", Look::Readout, 0, false));
    a.push_back(A(44, "ADV_UP_COUNT", 654, 338, 90, 20, u"[↑]0", u"[↑]0", Look::Readout, 0, false));
    a.push_back(A(4, "ADV_RECORD", 556, 366, 188, 38, u"Record", u"录制", Look::Primary, 1));
    a.push_back(A(7, "ADV_MACRO_MODE", 556, 412, 188, 30, u"Repeat while held", u"按住时重复",
                  Look::Toggle));
    a.push_back(A(47, "label", 544, 452, 212, 18, u"Double-click a delay to edit",
                  u"双击延时即可修改", Look::Label, 0, false));
    a.push_back(A(48, "label", 544, 474, 212, 18, u"Right-click to insert clicks",
                  u"右键可插入鼠标步骤", Look::Label, 0, false));
}

void AddSettingsColumn(std::vector<AreaSpec>& a) {
    a.push_back(A(28, "label", 768, 72, 180, 24, u"POINTER SPEED", u"指针速度", Look::Title));
    a.push_back(A(29, "label", 768, 150, 180, 24, u"SCROLL LINES", u"滚动行数", Look::Title));
    for (int i = 0; i < 10; ++i) {
        a.push_back(A(8 + i, "ADV_POINTER_SPEED", 778 + 16 * i, 102, 16, 26, Num(i + 1), Num(i + 1),
                      Look::Toggle, 1));
        a.push_back(A(18 + i, "ADV_WHEEL_SPEED", 778 + 16 * i, 180, 16, 26, Num(i + 1), Num(i + 1),
                      Look::Toggle, 1));
    }
    a.push_back(A(39, "label", 778, 130, 48, 14, u"Slow", u"慢", Look::Label, 0, false));
    a.push_back(A(40, "label", 890, 130, 48, 14, u"Fast", u"快", Look::Label, 0, false));
    a.push_back(A(41, "label", 772, 210, 172, 16, u"Lines per wheel notch", u"滚轮每格滚动的行数",
                  Look::Label, 0, false));
    a.push_back(A(37, "label", 768, 240, 180, 24, u"RAPID FIRE", u"连发间隔", Look::Title));
    a.push_back(A(30, "ADV_FIRE_SLIDER", 778, 272, 160, 20, u"", u"", Look::Slider));
    a.push_back(A(49, "label", 772, 296, 28, 14, u"0", u"0", Look::Label, 0, false));
    a.push_back(A(50, "label", 912, 296, 32, 14, u"300", u"300", Look::Label, 0, false));
    a.push_back(A(32, "ADV_FIRE_DOWN", 778, 316, 36, 30, u"-", u"-", Look::Button));
    a.push_back(A(33, "ADV_FIRE_VALUE", 818, 316, 80, 30, u"50ms", u"50ms", Look::Readout));
    a.push_back(A(31, "ADV_FIRE_UP", 902, 316, 36, 30, u"+", u"+", Look::Button));
    a.push_back(A(42, "label", 772, 354, 172, 18, u"Time between shots", u"每次连发之间的间隔",
                  Look::Label, 0, false));
    a.push_back(A(51, "label", 772, 398, 172, 18, u"Set with the profile", u"随配置方案一起应用",
                  Look::Label, 0, false));
}

PageSpec AdvancedPage() {
    PageSpec page;
    AddMacroColumn(page.areas);
    AddStepColumn(page.areas);
    AddSettingsColumn(page.areas);
    page.cards = {{212, 66, 320, 462}, {544, 66, 212, 462}, {768, 66, 180, 462}};
    return page;
}

PageSpec ColorPage() {
    PageSpec page;
    auto& a = page.areas;
    a.push_back(A(4, "label", 212, 72, 348, 24, u"LIGHTING EFFECT", u"灯光效果", Look::Title));
    const char16_t* en[] = {u"Colour cycle", u"Fast colour cycle", u"Steady", u"Off"};
    const char16_t* cn[] = {u"循环变色", u"快速循环变色", u"常亮", u"关闭"};
    for (int i = 0; i < 4; ++i) {
        a.push_back(
            A(i, "COLOR_LED_EFFECT", 232, 108 + 56 * i, 308, 44, en[i], cn[i], Look::Toggle, 2));
    }
    a.push_back(A(5, "label", 232, 344, 308, 18, u"The colour follows the DPI level",
                  u"灯光颜色随 DPI 档位变化", Look::Label, 0, false));
    a.push_back(
        A(6, "label", 232, 372, 308, 18, u"LEVEL COLOURS", u"档位颜色", Look::Label, 0, false));
    a.push_back(A(7, "label", 232, 424, 308, 18, u"1 blue · 2 magenta · 3 red · 4 violet",
                  u"1 蓝 · 2 品红 · 3 红 · 4 紫", Look::Label, 0, false));
    a.push_back(A(11, "COLOR_PREVIEW", 588, 80, 344, 330, u"", u"", Look::Preview, 0, false));
    a.push_back(A(8, "label", 628, 424, 104, 32, u"Current", u"当前", Look::Label, 0, false));
    a.push_back(A(9, "COLOR_DPI_VALUE", 736, 424, 80, 32, u"800", u"800", Look::Readout, 0, false));
    a.push_back(A(10, "label", 820, 424, 48, 32, u"DPI", u"DPI", Look::Label, 0, false));
    a.push_back(A(12, "label", 588, 470, 344, 18, u"Lighting reaches the mouse on Apply",
                  u"点击“应用”后灯光设置生效", Look::Label, 0, false));
    page.cards = {{212, 66, 348, 462}, {572, 66, 376, 462}};
    return page;
}

std::vector<ControlSpec> Controls() {
    return {{"EDIT", 3, "RepeatCountBox", 318, 396, 52, 26},
            {"EDIT", 4, "MacroNameBox", 284, 356, 234, 28},
            {"MACRODISPLAY", 1, "MacroListBox", 228, 104, 290, 198},
            {"MACRODISPLAY", 2, "StepListBox", 556, 104, 188, 226}};
}

std::vector<AreaSpec> Warning() {
    return {A(0, "WARN_OK", 66, 112, 116, 38, u"Continue", u"继续", Look::Primary),
            A(1, "WARN_CANCEL", 198, 112, 116, 38, u"Cancel", u"取消", Look::Button),
            A(2, "WARN_MESSAGE", 16, 60, 348, 36, u"This is the only left-click button. Change it?",
              u"这是唯一的左键，仍要更改它的功能吗？", Look::Message, 0, false)};
}

void FillNames(SkinDescription& s) {
    const char16_t* en[kFunctionCodeCount] = {u"",
                                              u"Left click",
                                              u"Right click",
                                              u"Middle click",
                                              u"Back",
                                              u"Forward",
                                              u"DPI cycle",
                                              u"Mouse functions",
                                              u"Multimedia",
                                              u"Macros",
                                              u"Shortcuts",
                                              u"Rapid fire",
                                              u"Double click",
                                              u"Triple click",
                                              u"Report rate",
                                              u"DPI up",
                                              u"DPI down",
                                              u"Mouse function",
                                              u"None",
                                              u"None",
                                              u"None",
                                              u"Home page",
                                              u"Media player",
                                              u"E-mail",
                                              u"Volume up",
                                              u"Volume down",
                                              u"Previous track",
                                              u"Next track",
                                              u"Mute",
                                              u"Play/Pause",
                                              u"Calculator",
                                              u"Copy",
                                              u"Paste",
                                              u"Cut",
                                              u"Undo",
                                              u"Redo",
                                              u"Select all",
                                              u"Save",
                                              u"Switch window",
                                              u"Open calculator",
                                              u"Open terminal"};
    const char16_t* cn[kFunctionCodeCount] = {
        u"",         u"左键",     u"右键",     u"中键",       u"后退",       u"前进",
        u"DPI 循环", u"鼠标功能", u"多媒体",   u"宏",         u"快捷键",     u"连发",
        u"双击",     u"三连击",   u"回报率",   u"DPI 加",     u"DPI 减",     u"鼠标功能",
        u"无",       u"无",       u"无",       u"主页",       u"媒体播放器", u"电子邮件",
        u"音量加",   u"音量减",   u"上一曲",   u"下一曲",     u"静音",       u"播放/暂停",
        u"计算器",   u"复制",     u"粘贴",     u"剪切",       u"撤销",       u"重做",
        u"全选",     u"保存",     u"切换窗口", u"打开计算器", u"打开命令行"};
    for (std::size_t k = 0; k <= 40; ++k) {
        s.namesEnglish[k] = en[k];
        s.namesChinese[k] = cn[k];
    }
    for (int m = 1; m <= 12; ++m) {
        s.namesEnglish[40 + m] = u"Macro " + Num(m);
        s.namesChinese[40 + m] = u"宏 " + Num(m);
    }
    s.namesEnglish[53] = s.namesEnglish[54] = u"None";
    s.namesChinese[53] = s.namesChinese[54] = u"无";
}

SkinDescription Build() {
    SkinDescription s;
    s.width = 960;
    s.height = 600;
    s.common = CommonAreas();
    s.mainPage = MainPage();
    s.advancedPage = AdvancedPage();
    s.colorPage = ColorPage();
    s.controls = Controls();
    s.warningWidth = 380;
    s.warningHeight = 170;
    s.warning = Warning();
    s.menuWidth = 200;
    s.menuRow = 28;
    s.subMenuWidth = 200;
    s.subMenuRow = 28;
    FillNames(s);
    return s;
}

}  // namespace

const SkinDescription& DefaultSkin() {
    static const SkinDescription skin = Build();
    return skin;
}

std::vector<AreaSpec> MainLayoutAreas(const SkinDescription& skin) {
    std::vector<AreaSpec> all = skin.common;
    all.insert(all.end(), skin.mainPage.areas.begin(), skin.mainPage.areas.end());
    return all;
}

}  // namespace zep::skingen
