#include "app/WizardForm.h"

#include "app/Texts.h"
#include "assets/Assets.h"

namespace app {

namespace {

using runtime::ControlDesc;
using runtime::ControlKind;
using runtime::FontSpec;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kKey = RGB(255, 0, 255);  // label background the skin treats as transparent

constexpr const char* kPageTitles[] = {"欢迎界面", "许可协议", "安装目录", "确认安装信息", "使用教程", "询问启动成功"};

constexpr char kWelcomeText[] =
    "本程序将安装Velmora写作到您的计算机，强烈建议您在运行本安装程序之前退出所有其它运行中的程序。"
    "单击取消可以关闭本程序。单击下一步继续进行安装。\r\n"
    "一本好的小说离不开一个优秀的软件，和一个优雅的创作环境。Velmora码字软件是作家们的好伙伴！\r\n"
    "欢迎有共同爱好的朋友聚在一起，加入我们的Velmora家族~！官方群" VELMORA_GROUP "\r\n"
    "（作者是一个二次元，欢迎有想写动漫小说的朋友加作者QQ：" VELMORA_AUTHOR_QQ "或者直接点击啊下方会话按钮联系）\r\n"
    "Velmora将伴随您一起走写作的道路。\r\n"
    "迈下前进的脚步吧！\r\n"
    "安装此软件不是偶然，想必是伴随您走向成功之路的必然！\r\n"
    "在此作者希望大家加入官方群" VELMORA_GROUP "进来交流写作码字，谢谢大家加群。";

#define EIGHT_BLANKS "        "
constexpr char kLicenceText[] =
    "使用协议：\r\n"
    " 1：请不要随意更改软件的配置文件以及写作目录的文件。\r\n"
    EIGHT_BLANKS "\r\n"
    " 2：请不要非法使用此软件。\r\n"
    "\r\n"
    " 3：请不要写侮辱他人等危害社会，反动等词。\r\n"
    "\r\n"
    " 4：请不要用于损毁他人利益以及辱骂他人用途。\r\n"
    "\r\n"
    " 5：反正就是不要不正常使用软件就行了。\r\n"
    EIGHT_BLANKS "\r\n"
    " 6：部分功能如有雷同，实属荣幸~\r\n"
    "     \r\n"
    " 7：由于你们的责任造成的后果我可是不负责的啊！！！\r\n"
    EIGHT_BLANKS "\r\n"
    " 8：软件上使用了网络图片素材，如有侵权联系作者删除，感谢您的理解！\r\n"
    "注明：此程序受法律知识产权保护，请勿盗用他人账号偷去他人写作资料，否则经查处，您将收到法律制裁。\r\n"
    "小说知识产权全保护：您的原创作品受到此软件的保护，不会被他人窃取，如果发现作品被窃取请申诉法律保护，"
    "我们第一时间给您满意的保护。";
#undef EIGHT_BLANKS

// The blanks of the first line leave room for 标签5, which lies over them.
constexpr char kDirectoryText[] =
    "安装程序将安装                        到以下目录中。\r\n"
    "\r\n"
    "\r\n"
    "若想安装到不同目录，请选择需要安装到的目录。\r\n"
    "\r\n"
    "\r\n"
    "若不想安装，请选择取消安装，从而退出安装程序~！\r\n"
    "\r\n"
    "\r\n"
    "点击下一步，开始安装软件。";

constexpr char kWarningText[] =
    "下面开始安装程序，请点击确认~！\r\n"
    "\r\n"
    "安装过程中请勿其他操作以免导致安装失败~！\r\n"
    "\r\n"
    "如果安装失败，请选择不同目录尝试。";

constexpr char kPages[] = "选择夹1";

// Shorthands for the table below: a control on page p of 选择夹1.
constexpr ControlDesc onPage(int page, ControlDesc c) {
    c.parent = kPages;
    c.page = page;
    return c;
}

const ControlDesc kControls[] = {
    {.kind = ControlKind::PageContainer, .name = kPages, .x = 16, .y = 24, .width = 864, .height = 624,
     .pageTitles = kPageTitles},
    {.kind = ControlKind::Button, .name = "按钮1", .x = 24, .y = 592, .width = 72, .height = 24, .text = "取消安装"},

    // Page 0: welcome.
    onPage(0, {.kind = ControlKind::Label, .name = "标签1", .x = 16, .y = 8, .width = 640, .height = 56,
               .text = "欢 迎 使 用：Velmora写作软件~！", .font = {35, true, true}, .textColor = RGB(0, 255, 255),
               .backColor = kKey}),
    onPage(0, {.kind = ControlKind::TransparentLabel, .name = "透明标签1", .x = 16, .y = 64, .width = 696,
               .height = 488, .text = kWelcomeText, .font = {29}, .textColor = RGB(88, 48, 224), .wrapped = true}),
    onPage(0, {.kind = ControlKind::DrawingPanel, .name = "画板1", .x = 720, .y = 40, .width = 120, .height = 160,
               .backColor = RGB(128, 128, 0)}),
    onPage(0, {.kind = ControlKind::Button, .name = "按钮8", .x = 272, .y = 560, .width = 128, .height = 32,
               .text = "与作者qq会话"}),
    onPage(0, {.kind = ControlKind::Button, .name = "按钮2", .x = 568, .y = 568, .width = 120, .height = 32,
               .text = "下一步》"}),

    // Page 1: licence.
    onPage(1, {.kind = ControlKind::Label, .name = "标签3", .x = 16, .y = 8, .width = 752, .height = 48,
               .text = "许可协议：请您遵守以下使用规则", .font = {48}, .textColor = kBlack, .backColor = kKey}),
    onPage(1, {.kind = ControlKind::TransparentLabel, .name = "透明标签2", .x = 2, .y = 59, .width = 792,
               .height = 496, .text = kLicenceText, .font = {24}, .textColor = kBlue, .wrapped = true}),
    onPage(1, {.kind = ControlKind::CheckBox, .name = "选择框1", .x = 344, .y = 557, .width = 240, .height = 35,
               .text = "同意协议", .font = {32}, .textColor = kBlack}),
    onPage(1, {.kind = ControlKind::Button, .name = "按钮9", .x = 128, .y = 560, .width = 112, .height = 32,
               .text = "《上一步"}),
    onPage(1, {.kind = ControlKind::Button, .name = "按钮3", .x = 576, .y = 560, .width = 128, .height = 32,
               .text = "下一步》"}),

    // Page 2: installation directory.
    onPage(2, {.kind = ControlKind::TransparentLabel, .name = "透明标签4", .x = 8, .y = 8, .width = 280, .height = 64,
               .text = "安装目录：", .font = {56}, .textColor = kBlack}),
    onPage(2, {.kind = ControlKind::TransparentLabel, .name = "透明标签3", .x = 8, .y = 88, .width = 824,
               .height = 360, .text = kDirectoryText, .font = {32}, .textColor = kBlue, .wrapped = true}),
    onPage(2, {.kind = ControlKind::Label, .name = "标签5", .x = 240, .y = 88, .width = 368, .height = 40,
               .text = "Velmora写作正式版2.0", .font = {32}, .textColor = kRed, .backColor = kKey}),
    onPage(2, {.kind = ControlKind::TransparentLabel, .name = "透明标签5", .x = 8, .y = 504, .width = 160,
               .height = 40, .text = "安装目录：", .font = {35}, .textColor = kBlack}),
    onPage(2, {.kind = ControlKind::EditBox, .name = "编辑框1", .x = 168, .y = 504, .width = 504, .height = 37,
               .text = "D:\\", .font = {29}}),
    onPage(2, {.kind = ControlKind::Button, .name = "按钮4", .x = 680, .y = 512, .width = 88, .height = 32,
               .text = "更改目录"}),
    onPage(2, {.kind = ControlKind::Button, .name = "按钮10", .x = 120, .y = 560, .width = 112, .height = 32,
               .text = "《上一步"}),
    onPage(2, {.kind = ControlKind::Button, .name = "按钮5", .x = 648, .y = 560, .width = 120, .height = 32,
               .text = "下一步》"}),
    onPage(2, {.kind = ControlKind::ZipUnit, .name = "ZIP压缩1", .x = 512, .y = 8, .width = 96, .height = 40,
               .visible = false}),

    // Page 3: confirmation and log.
    onPage(3, {.kind = ControlKind::TransparentLabel, .name = "透明标签7", .x = 8, .y = 8, .width = 256, .height = 80,
               .text = "确认安装：", .font = {56}, .textColor = kBlack}),
    onPage(3, {.kind = ControlKind::TransparentLabel, .name = "透明标签6", .x = 8, .y = 96, .width = 744,
               .height = 184, .text = kWarningText, .font = {35}, .textColor = RGB(0, 0, 128), .wrapped = true}),
    onPage(3, {.kind = ControlKind::GroupBox, .name = "分组框1", .x = 24, .y = 312, .width = 696, .height = 224,
               .text = "安装信息", .font = {32}, .textColor = kBlack}),
    {.kind = ControlKind::EditBox, .name = "编辑框2", .parent = "分组框1", .x = 8, .y = 40, .width = 656,
     .height = 152, .multiLine = true},
    onPage(3, {.kind = ControlKind::Button, .name = "按钮11", .x = 120, .y = 560, .width = 104, .height = 32,
               .text = "《上一步"}),
    onPage(3, {.kind = ControlKind::Button, .name = "按钮6", .x = 592, .y = 544, .width = 112, .height = 40,
               .text = "确认安装"}),

    // Page 4: tutorial.
    onPage(4, {.kind = ControlKind::TransparentLabel, .name = "透明标签9", .x = 16, .y = 16, .width = 304,
               .height = 56, .text = "使用教程：", .font = {56}, .textColor = kRed, .wrapped = true}),
    onPage(4, {.kind = ControlKind::Label, .name = "标签2", .x = 496, .y = 40, .width = 24, .height = 40, .text = "0",
               .textColor = kBlack, .visible = false}),
    onPage(4, {.kind = ControlKind::PictureBox, .name = "图片框1", .x = 24, .y = 72, .width = 680, .height = 432,
               .picture = &ImgTutorial0}),
    onPage(4, {.kind = ControlKind::Button, .name = "按钮12", .x = 624, .y = 560, .width = 96, .height = 32,
               .text = "我知道了"}),

    // Page 5: finish.
    onPage(5, {.kind = ControlKind::TransparentLabel, .name = "透明标签8", .x = 8, .y = 8, .width = 1168,
               .height = 72, .text = "恭喜您安装成功，下面就开始使用软件写作吧~！", .font = {32}, .textColor = kRed}),
    onPage(5, {.kind = ControlKind::DrawingPanel, .name = "画板2", .x = 8, .y = 80, .width = 336, .height = 232,
               .backColor = RGB(144, 0, 255)}),
    onPage(5, {.kind = ControlKind::CheckBox, .name = "选择框6", .x = 112, .y = 544, .width = 328, .height = 48,
               .text = "启动软件", .font = {35}, .textColor = kBlack, .checked = true}),
    onPage(5, {.kind = ControlKind::Button, .name = "按钮7", .x = 432, .y = 544, .width = 160, .height = 48,
               .text = "完成安装", .font = {32}}),
    onPage(5, {.kind = ControlKind::Timer, .name = "时钟1", .x = 416, .y = 128, .width = 96, .height = 80,
               .visible = false}),
};

const runtime::FormDesc kWizardWindow{
    .name = "WizardWindow",
    .caption = "Velmora码字2.0（一直在努力，从未被超越！）",
    .x = 50, .y = 50, .width = 901, .height = 661,
    .centred = true,
    .border = false,
    .controlBox = true,
    .dragByClientArea = true,
    .taskbarButton = false,
    .keepCaptionActive = true,
    .iconResource = texts::iconResourceName,
    .controls = kControls,
};

}  // namespace

const runtime::FormDesc& wizardForm() { return kWizardWindow; }

}  // namespace app
