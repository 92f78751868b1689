#pragma once
// The newest signing time of a catalogue taken from each download site. A signature proves who
// made a catalogue, not that it is the current one: without this, a site (or whoever answers in
// its name) could hand out an older signed catalogue again and roll the versions back.
#include <cstdint>
#include <string>

// The newest signing time recorded for site (seconds since 1970, UTC); 0 when none is.
int64_t NewestSignedTime(const std::string& site);

// Records timestamp for site unless a newer one is recorded. False, with the reason, when the
// record could not be written (the old one then stays).
bool RememberSignedTime(const std::string& site, int64_t timestamp, std::string* reason = nullptr);
