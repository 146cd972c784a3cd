// A window built from a form description, and its named controls.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assets/ByteSet.h"
#include "runtime/FormDesc.h"
#include "graphics/GdiHandles.h"

namespace runtime {

class Form;

// One named control. Properties map onto the control's window; transparent labels, timers
// and ZIP units have no window of their own.
class Control {
public:
    Control(Form& form, const ControlDesc& desc);
    ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlDesc& desc() const noexcept { return desc_; }
    ControlKind kind() const noexcept { return desc_.kind; }
    Form& form() const noexcept { return form_; }
    HWND hwnd() const noexcept { return hwnd_; }

    std::string text() const;
    void setText(std::string_view text);

    // The control's own visible flag; it shows only while its page is current as well.
    bool visible() const noexcept { return visible_; }
    void setVisible(bool visible);

    bool disabled() const noexcept { return disabled_; }
    void setDisabled(bool disabled);

    bool checked() const;
    void setChecked(bool checked);

    // Picture boxes: BMP file bytes (24-bit, or 8-bit with a palette). Returns false and
    // keeps the previous picture when the bytes are not such a file.
    bool setPicture(ByteView bmp);
    bool hasPicture() const noexcept { return picture_ || !formPicture_.empty(); }

    // Page containers.
    int page() const noexcept { return page_; }
    void setPage(int page);
    int pageCount() const noexcept { return static_cast<int>(desc_.pageTitles.size()); }

    // Timers: 0 (or less) stops; a new positive period starts or restarts; the current
    // value again changes nothing.
    int interval() const noexcept { return interval_; }
    void setInterval(int milliseconds);

    // Whether the control is shown once its window is: own flag, page current, parent shown.
    bool showing() const noexcept;

    // Window procedure of the run time's own control classes.
    static LRESULT CALLBACK dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Form;
    bool create(HWND parentWindow, int id);
    bool onCurrentPage() const noexcept;
    void applyVisibility();
    void paintSurface(HDC dc, const RECT& client) const;
    HDC scaledPicture(const RECT& client) const;
    void decodeFormPicture() const;
    void drawTransparentText(HDC dc) const;
    HBRUSH colourStatic(HDC dc) const;
    void invalidateWindowless() const;
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    static LRESULT CALLBACK groupBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);

    Form& form_;
    const ControlDesc& desc_;
    Control* parent_ = nullptr;
    HWND hwnd_ = nullptr;
    gdi::UniqueFont font_;
    gdi::UniqueBrush background_;
    // The form's own picture is decoded at the first paint (a picture box on a later
    // page costs the start nothing); setPicture decodes at once.
    mutable ByteView formPicture_;
    mutable gdi::UniqueBitmap picture_;
    mutable SIZE pictureSize_{};
    // The picture stretched to the client area, made at the first paint of each size.
    mutable gdi::BitmapDc scaledPicture_;
    mutable SIZE scaledSize_{};
    std::string windowlessText_;
    bool visible_ = true;
    bool disabled_ = false;
    int page_ = 0;
    int interval_ = 0;
    UINT_PTR timerId_ = 0;
};

// The window of a form. Built by showForm, destroyed with its window; the run time owns it.
// The description must outlive the form (forms are built from static tables).
class Form {
public:
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormDesc& desc() const noexcept { return desc_; }
    HWND hwnd() const noexcept { return hwnd_; }

    // Named access; an unknown name is a programming error (std::out_of_range).
    Control& control(std::string_view name);
    Control* find(std::string_view name) noexcept;
    std::span<const std::unique_ptr<Control>> controls() const noexcept { return controls_; }

    // While false, the user cannot close the window (Alt+F4, the system menu, a close
    // button sending SC_CLOSE or WM_CLOSE); closeForm still can.
    void setClosable(bool closable) noexcept { closable_ = closable; }
    bool closable() const noexcept { return closable_; }

    // A frame that takes over the window's mouse messages and drags the window itself
    // (a skin) turns this off: answered as the caption, the client area would send it
    // non-client messages only, and its buttons under the pointer would never react.
    void setDragByClientArea(bool drag) noexcept { dragByClientArea_ = drag; }

    // Window procedure of forms.
    static LRESULT CALLBACK dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Control;
    friend Form* showForm(const FormDesc&, std::span<const EventBinding>);
    friend void drawWindowlessText(HWND window, HDC dc);
    Form(const FormDesc& desc, std::span<const EventBinding> bindings);
    bool build();
    void raise(Event event, const Control* control);
    // The control whose window is hwnd, or nullptr.
    Control* controlWithWindow(HWND hwnd) const noexcept;
    // A child's click or colour request, answered by the form; nothing for other messages.
    std::optional<LRESULT> routeChildMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Windowless labels are drawn by their parent: a container, or the window (nullptr).
    void drawTransparentLabels(const Control* parent, HDC dc) const;
    void paintSurface(HDC dc, const RECT& client) const;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    const FormDesc& desc_;
    std::vector<EventBinding> bindings_;
    std::vector<std::unique_ptr<Control>> controls_;
    HWND hwnd_ = nullptr;
    bool built_ = false;
    bool closable_ = true;
    bool dragByClientArea_ = desc_.dragByClientArea;
    gdi::UniqueBrush background_;
    gdi::UniqueIcon bigIcon_, smallIcon_;
};

// Builds the window and its controls, raises the created event, then shows the window.
// When the description cannot be built it reports "载入窗口模板数据段出错!" and returns nullptr.
Form* showForm(const FormDesc& desc, std::span<const EventBinding> bindings);

// Asks the window to close and returns at once; the window is destroyed when the request
// is processed. The message loop ends when the last form is gone.
void closeForm(const Form& form);

// Forms that exist right now.
int formCount() noexcept;

// Draws the windowless labels of a form or container window into dc (client
// coordinates of that window), for painters that replace the window's own painting.
void drawWindowlessText(HWND window, HDC dc);
// Told that what drawWindowlessText draws on window has changed (a label's text or
// visibility, a page), just before the window is invalidated, so that a painter that
// keeps a picture of the window makes it anew. Set by such a painter; null by default.
extern void (*windowlessChanged)(HWND window);

// Keyboard navigation of forms: moves the focus to the next (or, backwards, the previous)
// visible, enabled tab stop of the form holding window, wrapping round at either end.
// False when window is not part of a form.
bool moveTabFocus(HWND window, bool backwards) noexcept;

}  // namespace runtime
