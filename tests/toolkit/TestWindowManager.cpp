// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/toolkit/TestWindowManager.h"

#include "tests/toolkit/XcbRequests.h"

#include "toolkit/Form.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QWidget>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

using xcbtest::atom;
using xcbtest::owned;
using xcbtest::placeOf;
using xcbtest::setProperty;
using xcbtest::sizeOf;

TestWindowManager::TestWindowManager(QSize largest)
    : m_largest(largest)
{
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;

    m_check = xcb_generate_id(m_connection);
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_check, m_root, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    setProperty(m_connection, m_check, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {m_check});
    setProperty(m_connection, m_root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {m_check});
    const std::string selection = "WM_S" + std::to_string(screenNumber);
    m_selection = atom(m_connection, selection.c_str());
    xcb_set_selection_owner(m_connection, m_check, m_selection, XCB_CURRENT_TIME);
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const auto error =
        owned(xcb_request_check(m_connection, xcb_change_window_attributes_checked(
                                                  m_connection, m_root, XCB_CW_EVENT_MASK, &events)));
    if (error)
        qFatal("another window manager runs");

    m_notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { pump(); });
    pump();
}

TestWindowManager::~TestWindowManager()
{
    m_notifier.reset();
    xcb_disconnect(m_connection);
    // The X server lets go of what the window manager held once it has seen the connection close,
    // which on a busy machine can be after the requests the program makes next: a window mapped
    // meanwhile would wait for a window manager that is gone, and never be shown. The test goes on
    // once the selection has no owner, which the server clears as it lets go of the rest.
    xcb_connection_t *program = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const auto owner = [&] {
        const auto reply = owned(
            xcb_get_selection_owner_reply(program, xcb_get_selection_owner(program, m_selection), nullptr));
        return reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    };
    const QDeadlineTimer deadline(5000);
    while (owner() != XCB_WINDOW_NONE && !deadline.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void TestWindowManager::frame(const toolkit::Form &form, QMargins drawn, std::optional<QMargins> announced)
{
    frameClient(static_cast<xcb_window_t>(form.widget()->winId()), drawn, announced.value_or(drawn),
                std::nullopt);
    // The X server has done all of it before the test writes anything of its own on the window.
    sync();
}

void TestWindowManager::frameClient(xcb_window_t client, QMargins drawn, std::optional<QMargins> announced,
                                    std::optional<QPoint> frameCorner)
{
    const QSize size = sizeOf(m_connection, client);
    if (m_client != client) {
        const QPoint place = frameCorner ? *frameCorner + QPoint(drawn.left(), drawn.top())
                                         : placeOf(m_connection, client, m_root);
        m_client = client;
        m_placeAsked = false;
        m_frame = xcb_generate_id(m_connection);
        // What the window asks of its frame window comes to the window manager, as what windows on
        // the root window ask does.
        const std::uint32_t events =
            XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_frame, m_root,
                          static_cast<std::int16_t>(place.x() - drawn.left()),
                          static_cast<std::int16_t>(place.y() - drawn.top()), 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
        // Should the window manager end, the X server puts the window back on the root window.
        xcb_change_save_set(m_connection, XCB_SET_MODE_INSERT, m_client);
        xcb_reparent_window(m_connection, m_client, m_frame, static_cast<std::int16_t>(drawn.left()),
                            static_cast<std::int16_t>(drawn.top()));
        xcb_map_window(m_connection, m_frame);
    }
    m_margins = drawn;
    const std::uint32_t place[] = {std::uint32_t(drawn.left()), std::uint32_t(drawn.top())};
    xcb_configure_window(m_connection, m_client, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    configureFramed(size);
    if (announced)
        announce(*announced);
}

void TestWindowManager::announce(QMargins frame)
{
    setProperty(m_connection, m_client, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL,
                {std::uint32_t(frame.left()), std::uint32_t(frame.right()), std::uint32_t(frame.top()),
                 std::uint32_t(frame.bottom())});
}

void TestWindowManager::resize(QSize client)
{
    configureFramed(client);
    pump();
}

void TestWindowManager::moveClientTo(QPoint place)
{
    moveFrameAround(place);
    tell();
    sync();
}

void TestWindowManager::placeWherePut()
{
    sync();
    if (!m_placeAsked)
        moveClientTo(m_put);
}

void TestWindowManager::moveFrameAround(QPoint place)
{
    const std::uint32_t corner[] = {std::uint32_t(place.x() - m_margins.left()),
                                    std::uint32_t(place.y() - m_margins.top())};
    xcb_configure_window(m_connection, m_frame, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, corner);
}

void TestWindowManager::announceFrame()
{
    announce(m_margins);
    sync();
}

void TestWindowManager::tell(std::optional<QPoint> told, std::optional<QSize> toldSize)
{
    // A client moved with its frame is not configured itself: a window manager tells it its place
    // on the root window with a synthetic ConfigureNotify, which Qt takes as it stands.
    const QPoint place = told.value_or(placeOf(m_connection, m_client, m_root));
    const QSize size = toldSize.value_or(sizeOf(m_connection, m_client));
    xcb_configure_notify_event_t notify{};
    notify.response_type = XCB_CONFIGURE_NOTIFY;
    notify.event = m_client;
    notify.window = m_client;
    notify.x = static_cast<std::int16_t>(place.x());
    notify.y = static_cast<std::int16_t>(place.y());
    notify.width = static_cast<std::uint16_t>(size.width());
    notify.height = static_cast<std::uint16_t>(size.height());
    xcb_send_event(m_connection, false, m_client, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&notify));
    xcb_flush(m_connection);
}

void TestWindowManager::maximise()
{
    announceMaximised(true);
    configureFramed(m_largest);
    pump();
}

void TestWindowManager::announceMaximised(bool maximised)
{
    std::vector<std::uint32_t> state;
    if (maximised)
        state = {atom(m_connection, "_NET_WM_STATE_MAXIMIZED_VERT"),
                 atom(m_connection, "_NET_WM_STATE_MAXIMIZED_HORZ")};
    setProperty(m_connection, m_client, "_NET_WM_STATE", XCB_ATOM_ATOM, state);
}

void TestWindowManager::shade()
{
    const std::uint32_t height = std::uint32_t(m_margins.top());
    xcb_configure_window(m_connection, m_frame, XCB_CONFIG_WINDOW_HEIGHT, &height);
    xcb_flush(m_connection);
}

void TestWindowManager::configureFramed(QSize client)
{
    const QSize before = sizeOf(m_connection, m_client);
    const std::uint32_t size[] = {std::uint32_t(client.width()), std::uint32_t(client.height())};
    xcb_configure_window(m_connection, m_client, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    const std::uint32_t frameSize[] = {std::uint32_t(client.width() + m_margins.left() + m_margins.right()),
                                       std::uint32_t(client.height() + m_margins.top() + m_margins.bottom())};
    xcb_configure_window(m_connection, m_frame, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         frameSize);
    if (before == client) {
        // A request the window manager does not carry out is answered all the same, with the
        // geometry the window keeps.
        tell(std::nullopt, client);
    }
    xcb_flush(m_connection);
}

void TestWindowManager::carryOut(const xcb_configure_request_event_t &request)
{
    // A place asked for is the client's on the root window (Qt asks with static gravity): the
    // frame moves around it.
    if (request.value_mask & (XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y)) {
        m_placeAsked = true;
        QPoint place = placeOf(m_connection, m_client, m_root);
        if (request.value_mask & XCB_CONFIG_WINDOW_X)
            place.setX(request.x);
        if (request.value_mask & XCB_CONFIG_WINDOW_Y)
            place.setY(request.y);
        moveFrameAround(place);
    }
    QSize size = sizeOf(m_connection, m_client);
    if (request.value_mask & XCB_CONFIG_WINDOW_WIDTH)
        size.setWidth(request.width);
    if (request.value_mask & XCB_CONFIG_WINDOW_HEIGHT)
        size.setHeight(request.height);
    configureFramed(size.boundedTo(m_largest));
    if (request.value_mask & (XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y))
        tell();
}

void TestWindowManager::sync()
{
    xcbtest::roundTrip(m_connection);
    pump();
}

void TestWindowManager::pump()
{
    while (const auto event = owned(xcb_poll_for_event(m_connection)))
        handle(event.get());
    xcb_flush(m_connection);
}

void TestWindowManager::handle(const xcb_generic_event_t *event)
{
    switch (event->response_type & ~0x80) {
    case XCB_MAP_REQUEST: {
        const xcb_window_t window = reinterpret_cast<const xcb_map_request_event_t *>(event)->window;
        if (m_newWindows && window != m_client) {
            m_put = placeOf(m_connection, window, m_root);
            const NewWindows &how = *m_newWindows;
            frameClient(window, how.drawn, how.announce ? std::optional(how.drawn) : std::nullopt,
                        how.frameCorner);
            if (how.toldFirst)
                tell(std::nullopt, how.toldFirst);
        }
        xcb_map_window(m_connection, window);
        break;
    }
    case XCB_CONFIGURE_REQUEST: {
        const auto *request = reinterpret_cast<const xcb_configure_request_event_t *>(event);
        if (request->window == m_client) {
            ++m_requests;
            m_lastRequest = QSize(request->value_mask & XCB_CONFIG_WINDOW_WIDTH ? request->width : -1,
                                  request->value_mask & XCB_CONFIG_WINDOW_HEIGHT ? request->height : -1);
            carryOut(*request);
            break;
        }
        // Any other window gets what it asks: the values in the order of their bits in the mask,
        // from X (bit 0) to the stack mode (bit 6).
        const std::int64_t fields[] = {
            request->x,       request->y,         request->width, request->height, request->border_width,
            request->sibling, request->stack_mode};
        std::vector<std::uint32_t> values;
        for (unsigned bit = 0; bit < std::size(fields); ++bit) {
            if (request->value_mask & (1U << bit))
                values.push_back(static_cast<std::uint32_t>(fields[bit]));
        }
        xcb_configure_window(m_connection, request->window, request->value_mask, values.data());
        break;
    }
    default:
        break;
    }
}
