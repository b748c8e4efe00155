#pragma once

// Every local date-time conversion (alarm times, ages, durations, log texts) asks the C library for the time zone.
// Without TZ set, glibc checks /etc/localtime with a stat on each of them, which in an alarm storm costs more than
// the alarms themselves. Naming the same file in TZ keeps the zone, daylight saving included, and lets the library
// read it once; a zone the operator chose through TZ is left alone. Call before any thread starts.
void PinLocalTimeZone();
