#include "clipboard/selection_owner.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeDeleter>;

}  // namespace

SelectionOwner::SelectionOwner(std::string utf8Text) : m_text(std::move(utf8Text)) {}

SelectionOwner::~SelectionOwner() {
    if (m_connection) {
        xcb_disconnect(m_connection);
    }
}

SelectionOwner::Result SelectionOwner::Acquire() {
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection)) {
        return Result::Failed;
    }
    // The text goes out in one property change; requests are counted in 4-byte units.
    const std::size_t maxBytes = std::size_t{xcb_get_maximum_request_length(m_connection)} * 4;
    if (m_text.size() + 64 > maxBytes) {
        return Result::Failed;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    if (screens.rem == 0) {
        return Result::Failed;
    }
    m_window = xcb_generate_id(m_connection);
    const std::uint32_t eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screens.data->root, 0, 0, 1, 1,
                      0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &eventMask);

    constexpr std::array<std::string_view, 8> kNames{
        "CLIPBOARD", "CLIPBOARD_MANAGER",        "TARGETS", "TIMESTAMP", "UTF8_STRING",
        "TEXT",      "text/plain;charset=utf-8", "STRING"};
    std::array<xcb_intern_atom_cookie_t, kNames.size()> cookies{};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        cookies[i] = xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(kNames[i].size()),
                                     kNames[i].data());
    }
    std::array<xcb_atom_t, kNames.size()> atoms{};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const ReplyPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_connection, cookies[i], nullptr));
        if (!reply) {
            return Result::Failed;
        }
        atoms[i] = reply->atom;
    }
    m_atoms = {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5], atoms[6], atoms[7]};

    const ReplyPtr<xcb_get_selection_owner_reply_t> manager(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, m_atoms.manager), nullptr));
    if (manager && manager->owner != XCB_NONE) {
        return Result::ManagerRuns;
    }

    m_ownedSince = ServerTime();
    xcb_set_selection_owner(m_connection, m_window, m_atoms.clipboard, m_ownedSince);
    const ReplyPtr<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, m_atoms.clipboard), nullptr));
    return owner && owner->owner == m_window ? Result::Owned : Result::Failed;
}

// The selection rules ask for a real server time, not CurrentTime: a zero-length property
// append makes the server report one.
xcb_timestamp_t SelectionOwner::ServerTime() {
    xcb_change_property(m_connection, XCB_PROP_MODE_APPEND, m_window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(m_connection);
    while (xcb_generic_event_t* event = xcb_wait_for_event(m_connection)) {
        const ReplyPtr<xcb_generic_event_t> owned(event);
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
            return reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
        }
    }
    return XCB_CURRENT_TIME;
}

void SelectionOwner::Serve() {
    while (xcb_generic_event_t* event = xcb_wait_for_event(m_connection)) {
        const ReplyPtr<xcb_generic_event_t> owned(event);
        switch (event->response_type & 0x7F) {
            case XCB_SELECTION_REQUEST:
                Answer(*reinterpret_cast<xcb_selection_request_event_t*>(event));
                break;
            case XCB_SELECTION_CLEAR:
                return;
            default:
                break;
        }
    }
}

bool SelectionOwner::IsAscii() const {
    return std::all_of(m_text.begin(), m_text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void SelectionOwner::Answer(const xcb_selection_request_event_t& request) {
    // Old clients name no property: the target's name is the one to use then.
    const xcb_atom_t property = request.property != XCB_NONE ? request.property : request.target;
    xcb_atom_t answered = property;
    const xcb_atom_t target = request.target;
    if (target == m_atoms.targets) {
        std::vector<xcb_atom_t> offered{m_atoms.targets, m_atoms.timestamp, m_atoms.utf8,
                                        m_atoms.plainUtf8, m_atoms.text};
        if (IsAscii()) {
            offered.push_back(m_atoms.string);
        }
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, property,
                            XCB_ATOM_ATOM, 32, static_cast<std::uint32_t>(offered.size()),
                            offered.data());
    } else if (target == m_atoms.timestamp) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, property,
                            XCB_ATOM_INTEGER, 32, 1, &m_ownedSince);
    } else if (target == m_atoms.utf8 || target == m_atoms.plainUtf8 || target == m_atoms.text ||
               (target == m_atoms.string && IsAscii())) {
        const xcb_atom_t type = target == m_atoms.text ? m_atoms.utf8 : target;
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, property, type,
                            8, static_cast<std::uint32_t>(m_text.size()), m_text.data());
    } else {
        answered = XCB_NONE;
    }

    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = target;
    notify.property = answered;
    xcb_send_event(m_connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(m_connection);
}
