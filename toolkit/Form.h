// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/Control.h"
#include "toolkit/Controls.h"
#include "toolkit/Design.h"
#include "toolkit/RuntimeError.h"

#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace toolkit {

// A window and the controls designed on it. The form owns every control and creates them in their
// design state; it is the boundary at which events enter the program's handlers.
//
// Width and Height are the outer size, frame included; ScaleWidth and ScaleHeight the inner size.
// Where the window system draws no title bar (no window manager, or Qt's offscreen platform) the
// frame is that of the design's platform: a 4 pixel border and a 19 pixel caption bar.
class Form : public Control
{
public:
    Form(const WindowDesign &window, std::span<const ControlDesign> controls);
    ~Form() override;

    float left() const override;
    void setLeft(float left) override;
    float top() const override;
    void setTop(float top) override;
    void move(float left, float top) override;
    float width() const override;
    void setWidth(float width) override;
    float height() const override;
    void setHeight(float height) override;
    float scaleWidth() const;
    float scaleHeight() const;
    // 0 normal, 1 minimised, 2 maximised.
    std::int16_t windowState() const;

    // Raises Load; the program's load handler completes the window and shows it.
    void load();
    // Shows the window, at its start-up position the first time. Showing raises the first Resize.
    void show();

    // A control by name, an array member by name and Index. A name or Index the window does not
    // have raises the runtime's error for a missing control array element.
    Control &control(std::string_view name, std::int16_t index = kNoIndex) const;
    PictureBox &pictureBox(std::string_view name, std::int16_t index = kNoIndex) const;
    Image &image(std::string_view name, std::int16_t index = kNoIndex) const;
    TextBox &textBox(std::string_view name, std::int16_t index = kNoIndex) const;
    CommandButton &commandButton(std::string_view name, std::int16_t index = kNoIndex) const;
    CheckBox &checkBox(std::string_view name, std::int16_t index = kNoIndex) const;
    ComboBox &comboBox(std::string_view name, std::int16_t index = kNoIndex) const;
    Frame &frame(std::string_view name, std::int16_t index = kNoIndex) const;
    Label &label(std::string_view name, std::int16_t index = kNoIndex) const;
    Slider &slider(std::string_view name, std::int16_t index = kNoIndex) const;
    TabStrip &tabStrip(std::string_view name, std::int16_t index = kNoIndex) const;
    // Every control on the window, in design order.
    std::vector<Control *> controls() const;

    using Control::bind;
    // Binds a handler to an event of the named control, or of every member of the named array.
    // The window binds under its own name.
    void bind(std::string_view name, Event event, const Handler &handler);

    // The runtime's services.
    void beep();
    // Ends the program at once: unwinds the running handler; nothing more runs.
    [[noreturn]] void end();
    bool hasEnded() const;

    // How a beep, the end of the program and an untrapped runtime error reach the user. By default
    // the platform beeps, the event loop ends with status 0, and a message box shows the error.
    void setBeepHandler(std::function<void()> handler);
    void setEndHandler(std::function<void()> handler);
    void setErrorPresenter(std::function<void(const RuntimeError &)> presenter);
    // The German text an error is shown with.
    static std::string errorText(const RuntimeError &error);

    // The event boundary: runs the control's handler for the event; a runtime error that escapes
    // it is shown to the user, an End ends the program, and the form goes on with the next event.
    void dispatch(Control &control, Event event, EventArgs args);
    // Shows an untrapped runtime error to the user through the error presenter.
    void showError(const RuntimeError &error);

protected:
    void showCaption() override;
    // The window's geometry is the window system's; its properties read and write it directly.
    void applyGeometry() override;

private:
    void arrangeFrontToBack(std::span<const ControlDesign> controls);
    void arrangeFocusOrder();
    template<class Kind>
    Kind &typed(std::string_view name, std::int16_t index) const;
    void finishEnd();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace toolkit
