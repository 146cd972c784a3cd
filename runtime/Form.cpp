#include "runtime/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <utility>

#include "runtime/Bitmap.h"
#include "runtime/Services.h"

namespace runtime {

void (*windowlessChanged)(HWND window) = nullptr;

namespace {

constexpr char kFormClass[] = "VelmoraForm";
constexpr char kPagesClass[] = "VelmoraPages";
constexpr char kPanelClass[] = "VelmoraPanel";
constexpr char kPictureClass[] = "VelmoraPicture";
constexpr char kLoadError[] = "载入窗口模板数据段出错!";

// Posted by closeForm; the window destroys itself when it gets it.
constexpr UINT kCloseRequest = WM_APP + 0x100;

// Forms alive on the UI thread; a form is removed when its window is gone.
std::vector<std::unique_ptr<Form>> liveForms;

// The run time's own window classes keep their form or control in the window's user data
// (a window property would cost a trip to the window server per message under Wine).
template <class Owner>
Owner* ownerOf(HWND hwnd) noexcept {
    return reinterpret_cast<Owner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// WM_NCCREATE: the owner comes with the creation parameters.
template <class Owner>
Owner* takeOwner(HWND hwnd, LPARAM lParam) noexcept {
    auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return owner;
}

bool sameName(const char* a, std::string_view b) noexcept { return a != nullptr && std::string_view(a) == b; }

HFONT defaultFont() noexcept { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

COLORREF buttonFace() noexcept { return GetSysColor(COLOR_BTNFACE); }

bool isVisual(ControlKind kind) noexcept { return kind != ControlKind::Timer && kind != ControlKind::ZipUnit; }

// The windowless labels on window changed: whoever keeps a picture of it hears so first.
void redrawWindowless(HWND window) {
    if (windowlessChanged != nullptr) windowlessChanged(window);
    InvalidateRect(window, nullptr, TRUE);
}

bool hasOwnWindow(ControlKind kind) noexcept { return isVisual(kind) && kind != ControlKind::TransparentLabel; }

void registerClasses() {
    static bool done = false;
    if (done) return;
    auto add = [](const char* name, WNDPROC proc) { registerWindowClass(name, proc, CS_DBLCLKS); };
    add(kFormClass, Form::dispatch);
    add(kPagesClass, Control::dispatch);
    add(kPanelClass, Control::dispatch);
    add(kPictureClass, Control::dispatch);
    done = true;
}

// Paints through a memory bitmap and copies the result once.
template <typename Paint>
void paintBuffered(HWND hwnd, HDC target, Paint&& paint) {
    RECT client;
    GetClientRect(hwnd, &client);
    gdi::UniqueMemoryDc memory(CreateCompatibleDC(target));
    gdi::UniqueBitmap canvas(CreateCompatibleBitmap(target, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
    if (!memory || !canvas) {
        paint(target, client);
        return;
    }
    {
        gdi::SelectGuard select(memory.get(), canvas.get());
        paint(memory.get(), client);
        BitBlt(target, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
}

// The painting messages of a window whose paint routine covers its whole client area.
template <typename Paint>
std::optional<LRESULT> handlePainting(HWND hwnd, UINT message, WPARAM wParam, Paint&& paint) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            gdi::PaintDc dc(hwnd);
            paintBuffered(hwnd, dc.get(), paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd, &client);
            paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Control

Control::Control(Form& form, const ControlDesc& desc)
    : form_(form), desc_(desc), visible_(desc.visible), page_(0) {}

Control::~Control() {
    if (timerId_ != 0 && interval_ > 0 && form_.hwnd_ != nullptr) KillTimer(form_.hwnd_, timerId_);
}

bool Control::create(HWND parentWindow, int id) {
    timerId_ = static_cast<UINT_PTR>(id);
    if (desc_.font.size > 0) {
        font_.reset(CreateFontA(-desc_.font.size, 0, 0, 0, desc_.font.bold ? FW_BOLD : FW_NORMAL, desc_.font.italic,
                                FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH, ""));
    }
    const COLORREF back = desc_.backColor.value_or(kind() == ControlKind::EditBox ? RGB(255, 255, 255) : buttonFace());
    if (isVisual(kind())) background_.reset(CreateSolidBrush(back));

    if (kind() == ControlKind::TransparentLabel) windowlessText_ = desc_.text;
    if (!hasOwnWindow(kind())) return true;

    const char* className = nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (kind()) {
        case ControlKind::PageContainer:
            className = kPagesClass;
            style |= WS_CLIPCHILDREN;
            break;
        case ControlKind::Label:
            className = "Static";
            style |= SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
            break;
        case ControlKind::Button:
            className = "Button";
            style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_TABSTOP;
            break;
        case ControlKind::CheckBox:
            className = "Button";
            style |= BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | WS_TABSTOP;
            break;
        case ControlKind::EditBox:
            className = "Edit";
            exStyle |= WS_EX_CLIENTEDGE;
            style |= ES_READONLY | ES_LEFT | WS_TABSTOP |
                     (desc_.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL);
            break;
        case ControlKind::GroupBox:
            className = "Button";
            style |= BS_GROUPBOX | BS_CENTER | WS_CLIPCHILDREN;
            break;
        case ControlKind::PictureBox:
            className = kPictureClass;
            style |= WS_DLGFRAME;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::DrawingPanel:
            className = kPanelClass;
            break;
        default:
            return false;
    }
    hwnd_ = CreateWindowExA(exStyle, className, desc_.text, style, desc_.x, desc_.y, desc_.width, desc_.height,
                            parentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                            this);
    if (hwnd_ == nullptr) return false;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_ ? font_.get() : defaultFont()), FALSE);
    switch (kind()) {
        case ControlKind::EditBox:
            SendMessageA(hwnd_, EM_LIMITTEXT, 0, 0);
            break;
        case ControlKind::CheckBox:
            setChecked(desc_.checked);
            break;
        case ControlKind::GroupBox:
            // Notifications of the box's children belong to the form as well.
            SetWindowSubclass(hwnd_, groupBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));
            break;
        case ControlKind::PictureBox:
            if (desc_.picture != nullptr) {
                if (!isBmp(desc_.picture->bytes())) return false;
                formPicture_ = desc_.picture->bytes();
            }
            break;
        default:
            break;
    }
    return true;
}

std::string Control::text() const {
    if (hwnd_ == nullptr) return windowlessText_;
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::setText(std::string_view text) {
    if (hwnd_ == nullptr) {
        windowlessText_ = text;
        invalidateWindowless();
        return;
    }
    const std::string copy(text);
    SetWindowTextA(hwnd_, copy.c_str());
}

bool Control::onCurrentPage() const noexcept {
    return parent_ == nullptr || parent_->kind() != ControlKind::PageContainer || desc_.page == parent_->page_;
}

bool Control::showing() const noexcept {
    return isVisual(kind()) && visible_ && onCurrentPage() && (parent_ == nullptr || parent_->showing());
}

void Control::applyVisibility() {
    if (hwnd_ != nullptr)
        ShowWindow(hwnd_, visible_ && onCurrentPage() ? SW_SHOWNA : SW_HIDE);
    else if (kind() == ControlKind::TransparentLabel)
        invalidateWindowless();
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    applyVisibility();
}

void Control::setDisabled(bool disabled) {
    disabled_ = disabled;
    if (hwnd_ != nullptr) EnableWindow(hwnd_, !disabled);
}

bool Control::checked() const {
    return kind() == ControlKind::CheckBox && SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Control::setChecked(bool checked) {
    if (kind() == ControlKind::CheckBox) SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Control::setPicture(ByteView bmp) {
    if (kind() != ControlKind::PictureBox) return false;
    Picture decoded = decodeBmp(bmp);
    if (!decoded.bitmap) return false;
    picture_ = std::move(decoded.bitmap);
    pictureSize_ = decoded.size;
    formPicture_ = {};
    scaledPicture_ = gdi::BitmapDc();
    InvalidateRect(hwnd_, nullptr, FALSE);
    return true;
}

void Control::decodeFormPicture() const {
    if (formPicture_.empty()) return;
    Picture decoded = decodeBmp(formPicture_);
    formPicture_ = {};
    picture_ = std::move(decoded.bitmap);
    pictureSize_ = decoded.size;
}

void Control::setPage(int page) {
    if (kind() != ControlKind::PageContainer || page < 0 || page >= pageCount() || page == page_) return;
    page_ = page;
    // A child shown in a shown container paints at once, over the container's picture of
    // the page before, and again once the container has painted the new page. The
    // children change with the container's drawing held, and everything paints once.
    const bool shown = (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    for (const auto& child : form_.controls_)
        if (child->parent_ == this) child->applyVisibility();
    if (shown) SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    redrawWindowless(hwnd_);  // other labels
    if (shown) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Control::setInterval(int milliseconds) {
    if (kind() != ControlKind::Timer) return;
    milliseconds = std::max(milliseconds, 0);
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    if (milliseconds == 0)
        KillTimer(form_.hwnd_, timerId_);
    else
        SetTimer(form_.hwnd_, timerId_, static_cast<UINT>(milliseconds), nullptr);
}

void Control::invalidateWindowless() const {
    const HWND parent = parent_ != nullptr ? parent_->hwnd_ : form_.hwnd_;
    if (parent != nullptr) redrawWindowless(parent);
}

void Control::drawTransparentText(HDC dc) const {
    gdi::SelectGuard selectFont(dc, font_ ? font_.get() : defaultFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, desc_.textColor);
    RECT r{desc_.x, desc_.y, desc_.x + desc_.width, desc_.y + desc_.height};
    // Without a window of its own nothing else clips the text: cut it at the label's
    // edges, as a static control's lines are cut at its bottom.
    const UINT format = DT_NOPREFIX | DT_LEFT |
                        (desc_.wrapped ? DT_WORDBREAK | DT_TOP : DT_SINGLELINE | DT_VCENTER);
    DrawTextA(dc, windowlessText_.c_str(), -1, &r, format);
}

void Control::paintSurface(HDC dc, const RECT& client) const {
    FillRect(dc, &client, background_.get());
    if (kind() == ControlKind::PictureBox) decodeFormPicture();
    if (kind() == ControlKind::PictureBox && picture_)
        if (const HDC scaled = scaledPicture(client)) BitBlt(dc, 0, 0, client.right, client.bottom, scaled, 0, 0, SRCCOPY);
    form_.drawTransparentLabels(this, dc);
}

// Halftone stretching costs many times a copy, so a repaint copies the stretched
// picture kept from the first paint at this size.
HDC Control::scaledPicture(const RECT& client) const {
    const SIZE size{client.right, client.bottom};
    if (scaledPicture_ && scaledSize_.cx == size.cx && scaledSize_.cy == size.cy) return scaledPicture_.get();
    scaledPicture_.select(gdi::makeDibPicture(size.cx, size.cy));
    if (!scaledPicture_) return nullptr;
    scaledSize_ = size;
    gdi::UniqueMemoryDc source(CreateCompatibleDC(scaledPicture_.get()));
    gdi::SelectGuard select(source.get(), picture_.get());
    SetStretchBltMode(scaledPicture_.get(), HALFTONE);
    SetBrushOrgEx(scaledPicture_.get(), 0, 0, nullptr);
    StretchBlt(scaledPicture_.get(), 0, 0, size.cx, size.cy, source.get(), 0, 0, pictureSize_.cx, pictureSize_.cy,
               SRCCOPY);
    return scaledPicture_.get();
}

HBRUSH Control::colourStatic(HDC dc) const {
    switch (kind()) {
        case ControlKind::Label:
        case ControlKind::CheckBox:
        case ControlKind::GroupBox:
        case ControlKind::EditBox:
            SetTextColor(dc, desc_.textColor);
            SetBkColor(dc, desc_.backColor.value_or(kind() == ControlKind::EditBox ? RGB(255, 255, 255) : buttonFace()));
            return background_.get();
        default:
            return nullptr;
    }
}

LRESULT CALLBACK Control::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* self = message == WM_NCCREATE ? takeOwner<Control>(hwnd, lParam) : ownerOf<Control>(hwnd);
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    try {
        bool handled = false;
        const LRESULT result = self->handle(hwnd, message, wParam, lParam, handled);
        if (handled) return result;
    } catch (...) {
        OutputDebugStringA("velmora: a control message failed\n");
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT Control::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    if (auto result = handlePainting(hwnd, message, wParam,
                                     [this](HDC dc, const RECT& client) { paintSurface(dc, client); }))
        return *result;
    if (auto routed = form_.routeChildMessage(message, wParam, lParam)) return *routed;
    switch (message) {
        case WM_NCHITTEST:
            // Page and panel backgrounds belong to the window, which can be dragged by them.
            if (kind() != ControlKind::PictureBox) return HTTRANSPARENT;
            break;
        default:
            break;
    }
    handled = false;
    return 0;
}

LRESULT CALLBACK Control::groupBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data) {
    auto* self = reinterpret_cast<Control*>(data);
    try {
        if (auto routed = self->form_.routeChildMessage(message, wParam, lParam)) return *routed;
        switch (message) {
            case WM_ERASEBKGND: {
                // The box draws only its frame and caption; the inside is ours to clear.
                RECT client;
                GetClientRect(hwnd, &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client, self->background_.get());
                return 1;
            }
            case WM_NCDESTROY:
                RemoveWindowSubclass(hwnd, groupBoxProc, id);
                break;
            default:
                break;
        }
    } catch (...) {
        OutputDebugStringA("velmora: a group box message failed\n");
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// Form

Form::Form(const FormDesc& desc, std::span<const EventBinding> bindings)
    : desc_(desc), bindings_(bindings.begin(), bindings.end()) {}

Form::~Form() = default;

Control* Form::find(std::string_view name) noexcept {
    for (const auto& control : controls_)
        if (sameName(control->desc().name, name)) return control.get();
    return nullptr;
}

Control* Form::controlWithWindow(HWND hwnd) const noexcept {
    for (const auto& control : controls_)
        if (control->hwnd() == hwnd) return control.get();
    return nullptr;
}

Control& Form::control(std::string_view name) {
    if (Control* found = find(name)) return *found;
    throw std::out_of_range("no control of that name");
}

bool Form::build() {
    registerClasses();
    const FormDesc& d = desc_;
    DWORD style = WS_CLIPCHILDREN | (d.border ? WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME : WS_POPUP);
    if (d.controlBox) style |= WS_SYSMENU;
    if (d.minimizeBox) style |= WS_MINIMIZEBOX;
    if (d.maximizeBox) style |= WS_MAXIMIZEBOX;
    DWORD exStyle = (d.taskbarButton ? WS_EX_APPWINDOW : 0) | (d.topMost ? WS_EX_TOPMOST : 0);
    // An owned window gets no taskbar button.
    const HWND owner = d.taskbarButton ? nullptr : ownerWindow();
    background_.reset(CreateSolidBrush(d.backColor.value_or(buttonFace())));

    hwnd_ = CreateWindowExA(exStyle, kFormClass, d.caption, style, d.x, d.y, d.width, d.height, owner, nullptr,
                            GetModuleHandleA(nullptr), this);
    if (hwnd_ == nullptr) return false;
    if (d.iconResource != nullptr) {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        bigIcon_.reset(static_cast<HICON>(LoadImageA(instance, d.iconResource, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                     GetSystemMetrics(SM_CYICON), 0)));
        smallIcon_.reset(static_cast<HICON>(LoadImageA(instance, d.iconResource, IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
        if (bigIcon_) SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
        if (smallIcon_) SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }

    for (const ControlDesc& c : d.controls) {
        if (c.name == nullptr || find(c.name) != nullptr) return false;
        Control* parent = nullptr;
        if (c.parent != nullptr) {
            parent = find(c.parent);
            if (parent == nullptr || parent->hwnd() == nullptr) return false;
        }
        const bool onPages = parent != nullptr && parent->kind() == ControlKind::PageContainer;
        if (onPages ? c.page < 0 || c.page >= parent->pageCount() : c.page != -1) return false;
        controls_.push_back(std::make_unique<Control>(*this, c));
        Control& control = *controls_.back();
        control.parent_ = parent;
        if (!control.create(parent != nullptr ? parent->hwnd() : hwnd_, static_cast<int>(controls_.size()))) return false;
    }
    for (const EventBinding& binding : bindings_)
        if (binding.handler == nullptr || (binding.control != nullptr && find(binding.control) == nullptr)) return false;

    for (const auto& control : controls_) {
        // Controls beside the pages (the cancel button) are drawn above them.
        if (control->kind() == ControlKind::PageContainer)
            SetWindowPos(control->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        control->applyVisibility();
        control->setInterval(control->desc().interval);
    }
    return true;
}

void Form::raise(Event event, const Control* control) {
    const char* name = control != nullptr ? control->desc().name : nullptr;
    // A handler that processes messages (the installation's wait) can see the window
    // closed, and the form freed with it: then nothing of the form may be touched.
    const HWND window = hwnd_;
    for (const EventBinding& binding : bindings_) {
        if (binding.event != event) continue;
        if (name == nullptr ? binding.control != nullptr : !sameName(binding.control, name)) continue;
        try {
            binding.handler(*this);
        } catch (...) {
            OutputDebugStringA("velmora: an event handler failed\n");
        }
        if (window != nullptr && !IsWindow(window)) return;
    }
}

std::optional<LRESULT> Form::routeChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND && message != WM_CTLCOLORSTATIC && message != WM_CTLCOLOREDIT &&
        message != WM_CTLCOLORBTN)
        return std::nullopt;
    Control* child = lParam != 0 ? controlWithWindow(reinterpret_cast<HWND>(lParam)) : nullptr;
    if (child == nullptr) return std::nullopt;
    if (message == WM_COMMAND) {
        if (HIWORD(wParam) != BN_CLICKED ||
            (child->kind() != ControlKind::Button && child->kind() != ControlKind::CheckBox))
            return std::nullopt;
        raise(Event::Click, child);
        return 0;
    }
    const HBRUSH brush = child->colourStatic(reinterpret_cast<HDC>(wParam));
    if (brush == nullptr) return std::nullopt;
    return reinterpret_cast<LRESULT>(brush);
}

LRESULT CALLBACK Form::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* self = message == WM_NCCREATE ? takeOwner<Form>(hwnd, lParam) : ownerOf<Form>(hwnd);
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        self->hwnd_ = nullptr;
        // Last use of the form: the registry owns it. A form that failed while being built
        // is removed by showForm instead, after build() has returned.
        if (self->built_) {
            std::erase_if(liveForms, [self](const std::unique_ptr<Form>& form) { return form.get() == self; });
            // Wakes a message loop that waits in GetMessage, so that it sees no form is left.
            if (liveForms.empty()) PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
        }
        return result;
    }
    try {
        bool handled = false;
        const LRESULT result = self->handle(message, wParam, lParam, handled);
        if (handled) return result;
    } catch (...) {
        OutputDebugStringA("velmora: a form message failed\n");
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Form::drawTransparentLabels(const Control* parent, HDC dc) const {
    for (const auto& child : controls_)
        if (child->parent_ == parent && child->kind() == ControlKind::TransparentLabel && child->showing())
            child->drawTransparentText(dc);
}

void Form::paintSurface(HDC dc, const RECT& client) const {
    FillRect(dc, &client, background_.get());
    drawTransparentLabels(nullptr, dc);
}

LRESULT Form::handle(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    if (auto result = handlePainting(hwnd_, message, wParam,
                                     [this](HDC dc, const RECT& client) { paintSurface(dc, client); }))
        return *result;
    if (auto routed = routeChildMessage(message, wParam, lParam)) return *routed;
    switch (message) {
        case WM_NCHITTEST: {
            const LRESULT hit = DefWindowProcA(hwnd_, message, wParam, lParam);
            return dragByClientArea_ && hit == HTCLIENT ? HTCAPTION : hit;
        }
        case WM_TIMER:
            for (const auto& control : controls_)
                if (control->kind() == ControlKind::Timer && control->timerId_ == wParam && control->interval_ > 0) {
                    raise(Event::Tick, control.get());
                    return 0;
                }
            break;
        case kCloseRequest:
            DestroyWindow(hwnd_);
            return 0;
        case WM_CLOSE:
            if (!closable_) return 0;
            break;
        case WM_SYSCOMMAND:
            if (!closable_ && (wParam & 0xFFF0) == SC_CLOSE) return 0;
            break;
        case WM_NCACTIVATE:
            if (desc_.keepCaptionActive) return DefWindowProcA(hwnd_, message, TRUE, lParam);
            break;
        default:
            break;
    }
    handled = false;
    return 0;
}

// ---------------------------------------------------------------------------------------

Form* showForm(const FormDesc& desc, std::span<const EventBinding> bindings) {
    liveForms.push_back(std::unique_ptr<Form>(new Form(desc, bindings)));
    Form* form = liveForms.back().get();
    if (!form->build()) {
        if (form->hwnd() != nullptr) DestroyWindow(form->hwnd());
        std::erase_if(liveForms, [form](const std::unique_ptr<Form>& f) { return f.get() == form; });
        messageBox(nullptr, kLoadError, MB_OK | MB_ICONERROR, nullptr);
        return nullptr;
    }
    form->built_ = true;
    form->raise(Event::Created, nullptr);
    const HWND hwnd = form->hwnd();
    if (!IsWindow(hwnd)) return nullptr;  // closed by its created handler
    if (desc.centred) {
        const int x = (GetSystemMetrics(SM_CXSCREEN) - desc.width) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - desc.height) / 2;
        SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return form;
}

void closeForm(const Form& form) {
    if (form.hwnd() != nullptr) PostMessageA(form.hwnd(), kCloseRequest, 0, 0);
}

int formCount() noexcept { return static_cast<int>(liveForms.size()); }

void drawWindowlessText(HWND window, HDC dc) {
    for (const auto& form : liveForms) {
        if (form->hwnd_ == window) {
            form->drawTransparentLabels(nullptr, dc);
            return;
        }
        if (const Control* control = form->controlWithWindow(window)) {
            form->drawTransparentLabels(control, dc);
            return;
        }
    }
}

namespace {

// A tab stop the user can reach: visible, and neither it nor a container above it disabled.
bool reachableTabStop(HWND hwnd, HWND root) noexcept {
    if ((GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_TABSTOP) == 0 || !IsWindowVisible(hwnd)) return false;
    for (HWND h = hwnd; h != nullptr && h != root; h = GetParent(h))
        if (!IsWindowEnabled(h)) return false;
    return true;
}

BOOL CALLBACK collectTabStop(HWND hwnd, LPARAM param) {
    auto& found = *reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(param);
    if (reachableTabStop(hwnd, found.first)) found.second.push_back(hwnd);
    return TRUE;
}

}  // namespace

bool moveTabFocus(HWND window, bool backwards) noexcept {
    const HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    if (root == nullptr || std::none_of(liveForms.begin(), liveForms.end(),
                                        [root](const std::unique_ptr<Form>& form) { return form->hwnd() == root; }))
        return false;
    try {
        // Window order (depth first, in z-order) is the creation order of the description.
        std::pair<HWND, std::vector<HWND>> found{root, {}};
        EnumChildWindows(root, collectTabStop, reinterpret_cast<LPARAM>(&found));
        const std::vector<HWND>& stops = found.second;
        if (stops.empty()) return true;
        const auto n = static_cast<std::ptrdiff_t>(stops.size());
        const std::ptrdiff_t current = std::find(stops.begin(), stops.end(), GetFocus()) - stops.begin();
        std::ptrdiff_t next;
        if (current == n) next = backwards ? n - 1 : 0;
        else next = (current + (backwards ? n - 1 : 1)) % n;
        SetFocus(stops[static_cast<std::size_t>(next)]);
    } catch (...) {
        // Out of memory for the list: the focus stays where it is.
    }
    return true;
}

}  // namespace runtime
