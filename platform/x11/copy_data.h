#pragma once
// The copy-data protocol between processes on one X display: a sender finds the top-level
// window with a given title, hands it a tagged block of bytes through a property on a
// window of its own, and waits for the receiver's numeric answer. Both ends are here, at
// the Xlib level; the GTK layer plugs the receiving end into its windows.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <X11/Xlib.h>

namespace zu {

// One received message: the sender's tag (dwData) and its bytes (cbData of them).
struct TzuCopyData {
    uint32_t tag = 0;
    std::vector<uint8_t> bytes;
};

inline constexpr const char* kCopyDataAtom = "_ZU_COPYDATA";
inline constexpr const char* kCopyDataReplyAtom = "_ZU_COPYDATA_REPLY";
// Larger payloads are refused by both ends: a message is a small record, not a file.
inline constexpr uint32_t kCopyDataMaxBytes = 1 << 20;

// Finds a top-level window whose _NET_WM_NAME (else WM_NAME) equals title; 0 when none.
Window FindWindowByTitle(Display* display, const std::string& title);

enum class TzuSendResult { Answered, NoWindow, NoAnswer, TooLarge };

// Sends the message and waits up to timeoutMs for the answer, which lands in result.
TzuSendResult SendCopyData(Display* display, Window target, uint32_t tag, std::span<const uint8_t> bytes,
                           long& result, int timeoutMs = 5000);

// Receiving end. For a ClientMessage of the protocol, reads (and deletes) the sender's
// property and returns the message; nullopt for other events, or when the sender's
// property is gone, is not the protocol's property of the protocol's type, or does not
// match the announced size (the message is then answered with 0 by AnswerCopyData's
// caller). A message that names the receiving window itself, or a window isOwnWindow
// claims, is never read: a forged message must not make the receiver delete its own
// properties. The caller must trap X errors around it, since the sender may have gone.
bool IsCopyDataEvent(Display* display, const XEvent& event);
std::optional<TzuCopyData> ReadCopyData(Display* display, const XEvent& event,
                                        const std::function<bool(Window)>& isOwnWindow = {});
// Answers the sender of event with result; nothing for a sender that is one of ours.
void AnswerCopyData(Display* display, const XEvent& event, long result,
                    const std::function<bool(Window)>& isOwnWindow = {});

}  // namespace zu
