// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/Form.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/FormPrivate.h"
#include "toolkit/Twips.h"
#include "toolkit/widgets/Accessibility.h"
#include "toolkit/widgets/Appearance.h"
#include "toolkit/widgets/IconRenderer.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace toolkit {

namespace {

void requireSize(float value)
{
    if (!std::isfinite(value) || value < 0)
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
}

} // namespace

Form::Form(const WindowDesign &window, std::span<const ControlDesign> controls)
    : Control(*this, {ControlKind::Window, window.name, kNoIndex, nullptr, kNoTabIndex}, new WindowWidget)
    , d(std::make_unique<Private>())
{
    installAccessibleInterfaces();
    d->window.reset(widget());
    d->startUpPosition = window.startUpPosition;
    d->router = std::make_unique<EventRouter>(*this, widget());
    // A new frame changes the outer size without touching the inner one, and a size that was on
    // its way can arrive without Qt noticing: both are a Resize.
    d->geometry = std::make_unique<WindowGeometry>(widget(), [this] {
        if (d->shown)
            dispatch(*this, Event::Resize, {});
    });

    widget()->resize(pixelsFromTwips(window.clientWidth), pixelsFromTwips(window.clientHeight));
    // The window manager answers while the window is being set up.
    if (d->startUpPosition == StartUpPosition::CenterScreen)
        d->geometry->prepareCentred();
    // The toolkit's default font is the window's, which its controls inherit, and the
    // application's: Qt lays out some text with the application font while a widget is still
    // being built (a text box does), and the error box shows it too.
    const QFont defaultFont = resolveFont({});
    if (QApplication::font() != defaultFont)
        QApplication::setFont(defaultFont);
    widget()->setFont(defaultFont);
    if (window.icon)
        widget()->setWindowIcon(makeIcon(*window.icon));
    setBackColor(window.backColor);
    setCaption(window.caption);

    for (const ControlDesign &design : controls) {
        Control &container = control(design.container, design.containerIndex);
        d->controls.push_back(createControl(*this, design, &container));
        d->router->addControl(d->controls.back()->widget(), d->controls.back().get());
    }

    arrangeFrontToBack(controls);
    arrangeFocusOrder();
}

void Form::arrangeFrontToBack(std::span<const ControlDesign> controls)
{
    // Within each container, raise the controls from the back to the front.
    std::vector<const ControlDesign *> backToFront;
    for (const ControlDesign &design : controls)
        backToFront.push_back(&design);
    std::stable_sort(backToFront.begin(), backToFront.end(),
                     [](const ControlDesign *a, const ControlDesign *b) { return a->zOrder > b->zOrder; });
    for (const ControlDesign *design : backToFront)
        control(design->name, design->index).zOrder();
}

void Form::arrangeFocusOrder()
{
    // The TabIndex of the controls that take focus.
    std::vector<Control *> focusOrder;
    for (const auto &control : d->controls) {
        if (control->tabIndex() != kNoTabIndex && control->widget()->focusPolicy() != Qt::NoFocus)
            focusOrder.push_back(control.get());
    }
    std::stable_sort(focusOrder.begin(), focusOrder.end(),
                     [](const Control *a, const Control *b) { return a->tabIndex() < b->tabIndex(); });
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1]->widget(), focusOrder[i]->widget());
}

Form::~Form()
{
    d->destroying = true;
    d->router.reset();
    d->geometry.reset();
    d->window.reset();
}

float Form::left() const
{
    return static_cast<float>(twipsFromPixels(widget()->frameGeometry().x()));
}

void Form::setLeft(float left)
{
    if (!std::isfinite(left))
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
    widget()->move(pixelsFromTwips(left), widget()->frameGeometry().y());
}

float Form::top() const
{
    return static_cast<float>(twipsFromPixels(widget()->frameGeometry().y()));
}

void Form::setTop(float top)
{
    if (!std::isfinite(top))
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
    widget()->move(widget()->frameGeometry().x(), pixelsFromTwips(top));
}

void Form::move(float left, float top)
{
    setLeft(left);
    setTop(top);
}

float Form::width() const
{
    return static_cast<float>(twipsFromPixels(d->geometry->outerSize().width()));
}

void Form::setWidth(float width)
{
    requireSize(width);
    if (windowState() != 0)
        throw RuntimeError(ErrorCode::FormMinimizedOrMaximized);
    // A size the window's own Resize handler writes because the window had become smaller is the
    // least size it accepts: the window manager is told, so that it stops the user's drag there
    // instead of the program undoing each step of it.
    const bool minimum = d->resizeDepth > 0 && width > this->width();
    d->geometry->setOuterWidth(exactPixelsFromTwips(width));
    if (minimum)
        d->geometry->setLeastOuterWidth(exactPixelsFromTwips(width));
}

float Form::height() const
{
    return static_cast<float>(twipsFromPixels(d->geometry->outerSize().height()));
}

void Form::setHeight(float height)
{
    requireSize(height);
    if (windowState() != 0)
        throw RuntimeError(ErrorCode::FormMinimizedOrMaximized);
    const bool minimum = d->resizeDepth > 0 && height > this->height();
    d->geometry->setOuterHeight(exactPixelsFromTwips(height));
    if (minimum)
        d->geometry->setLeastOuterHeight(exactPixelsFromTwips(height));
}

float Form::scaleWidth() const
{
    return static_cast<float>(twipsFromPixels(widget()->width()));
}

float Form::scaleHeight() const
{
    return static_cast<float>(twipsFromPixels(widget()->height()));
}

std::int16_t Form::windowState() const
{
    const Qt::WindowStates state = d->geometry->state();
    if (state & Qt::WindowMinimized)
        return 1;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return 2;
    return 0;
}

void Form::showCaption()
{
    widget()->setWindowTitle(QString::fromStdString(caption()));
}

void Form::applyGeometry() {}

void Form::load()
{
    dispatch(*this, Event::Load, {});
}

void Form::show()
{
    const bool centred = !d->shown && d->startUpPosition == StartUpPosition::CenterScreen;
    d->shown = true;
    if (centred)
        d->geometry->showCentred();
    else
        widget()->show();
}

void Form::beep()
{
    if (d->beep)
        d->beep();
    else
        QApplication::beep();
}

void Form::end()
{
    throw EndRequest{};
}

bool Form::hasEnded() const
{
    return d->ended;
}

void Form::setBeepHandler(std::function<void()> handler)
{
    d->beep = std::move(handler);
}

void Form::setEndHandler(std::function<void()> handler)
{
    d->end = std::move(handler);
}

void Form::setErrorPresenter(std::function<void(const RuntimeError &)> presenter)
{
    d->presentError = std::move(presenter);
}

std::string Form::errorText(const RuntimeError &error)
{
    return "Laufzeitfehler '" + std::to_string(error.number()) + "':\n\n" + error.message();
}

void Form::dispatch(Control &control, Event event, EventArgs args)
{
    if (d->ended || d->destroying)
        return;
    const bool resizing = &control == this && event == Event::Resize;
    if (resizing) {
        // The sizes and the state the handler reads include the frame the window has now, and
        // whether a window manager still runs. A size the window system is still bringing (a
        // request of the program's own, or a state announced before its size) is reported when
        // it arrives; meanwhile the sizes Qt has are not the window's.
        if (!d->geometry->sizeArrived())
            return;
    }
    const Handler &handler = control.handler(event);
    if (!handler)
        return;
    args.index = control.index();
    // While the window's own Resize handler runs, nested runs included.
    if (resizing)
        ++d->resizeDepth;
    try {
        handler(args);
    } catch (const RuntimeError &error) {
        showError(error);
    } catch (const EndRequest &) {
        finishEnd();
    }
    if (resizing && --d->resizeDepth == 0)
        d->geometry->keepCentred();
}

void Form::showError(const RuntimeError &error)
{
    if (d->presentError) {
        d->presentError(error);
        return;
    }
    // One box for the window: an error while it is open replaces its text. It is window-modal
    // without a nested event loop, so the handler that failed is over before the user answers.
    if (!d->errorBox) {
        d->errorBox = new QMessageBox(QMessageBox::Critical, widget()->windowTitle(), QString(),
                                      QMessageBox::Ok, widget());
    }
    d->errorBox->setText(QString::fromStdString(errorText(error)));
    d->errorBox->open();
}

void Form::finishEnd()
{
    d->ended = true;
    if (d->end) {
        d->end();
        return;
    }
    widget()->hide();
    QCoreApplication::exit(0);
}

} // namespace toolkit
