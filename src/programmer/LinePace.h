#pragma once
// The hand control's line in time: how long bytes take on it, and so how long a port may rest
// instead of waking for every piece of a reply. Pure arithmetic on the caller's monotonic
// microseconds, shared by every port and tested on made-up time.
#include <cstddef>
#include <cstdint>

// Line time still owed for bytes already written. A UART sends 10 bit times a byte; the link's
// reply deadlines assume that no more than one transmit buffer is still on its way when a write
// returns, but a pseudo-terminal swallows tens of kilobytes at once, so the writer holds itself
// back to the line's rate.
class LineBacklog {
 public:
  static constexpr size_t kTransmitBuffer = 4096;

  // baud 0: an ideal line, never waits.
  explicit LineBacklog(int baud) : baud_(baud) {}
  void Add(size_t bytes, int64_t nowUs);
  // How long the writer should still wait until at most one transmit buffer is outstanding.
  int64_t WaitUs(int64_t nowUs) const;
  // The line is idle (a fresh open).
  void Reset() { freeNs_ = 0; }
  // The earliest moment a reply of this many bytes can have come back complete: everything
  // written so far has left, then the reply's own line time. 0 on an ideal line (no bound).
  int64_t ReplyDueUs(size_t bytes) const;
  int64_t LineUs(size_t bytes) const { return baud_ > 0 ? LineNs(bytes) / 1000 : 0; }

 private:
  int64_t LineNs(size_t bytes) const;

  int baud_;
  int64_t freeNs_ = 0;  // when the line will have sent everything written so far
};

// Whether a device's replies come at the line's rate; learnt from the first complete replies after
// an open. A device faster than the line (a simulator run unpaced) is never rested for.
enum class LinePace { kUnknown, kKept, kFaster };

// How to wait for the rest of one reply of known length. Nothing of a reply can be complete
// before the line has carried it, so a port rests until then and takes all of it with one look
// instead of waking for every piece; where resting cannot help, and once the reply is overdue,
// it waits for the next byte.
class ReplyPacer {
 public:
  struct Wait {
    bool rest;        // true: sleep until untilUs, then look; false: wait for the next byte
    int64_t untilUs;  // for a rest
  };

  // A new reply of total bytes ("#" included) to what was last written; dueUs from
  // LineBacklog::ReplyDueUs (0: an ideal line, no rests).
  void Start(size_t total, int64_t dueUs);
  Wait Next(size_t received, int64_t nowUs, LineBacklog const& line, LinePace pace);
  // The pace a complete reply shows, looked at nowUs, for a port that has not learnt it yet;
  // kUnknown on an ideal line, where there is nothing to learn.
  LinePace PaceOfComplete(int64_t nowUs, LineBacklog const& line) const;

  // How long after a reply can have come complete it is looked for: the other end's and the
  // driver's wake-ups, so that one look nearly always finds all of it.
  static constexpr int64_t kSlackUs = 100;

 private:
  size_t total_ = 1;
  int64_t dueUs_ = 0;
  int64_t restUntilUs_ = 0;  // the end of this reply's rest, once it has one
};
