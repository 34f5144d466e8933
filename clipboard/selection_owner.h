#pragma once

#include <xcb/xcb.h>

#include <string>

// Owns the X11 CLIPBOARD selection and serves one text to every program that asks for it.
class SelectionOwner final {
public:
    enum class Result { Owned, ManagerRuns, Failed };

    explicit SelectionOwner(std::string utf8Text);
    ~SelectionOwner();
    SelectionOwner(const SelectionOwner&) = delete;
    SelectionOwner& operator=(const SelectionOwner&) = delete;

    // Takes the clipboard, unless a clipboard manager runs: it takes text over by itself.
    Result Acquire();

    // Answers requests for the text until another program takes the clipboard or the X
    // server goes away.
    void Serve();

private:
    struct Atoms {
        xcb_atom_t clipboard, manager, targets, timestamp, utf8, text, plainUtf8, string;
    };

    void Answer(const xcb_selection_request_event_t& request);
    xcb_timestamp_t ServerTime();
    bool IsAscii() const;

    std::string m_text;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_window = XCB_NONE;
    xcb_timestamp_t m_ownedSince = XCB_CURRENT_TIME;
    Atoms m_atoms{};
};
