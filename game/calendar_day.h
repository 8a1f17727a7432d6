// Calendar days, as the review schedule and the training statistics count them: by the date on the
// wall clock where the player was, not by hours elapsed.
#pragma once

#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelle {

using CalendarDay = std::chrono::sys_days;

// The day of "2026-12-09", or of a text that starts so (an attempt's local time); none for any
// other text or a date the calendar does not have.
std::optional<CalendarDay> ReadCalendarDay(std::string_view text);

// The day `when` falls on in local time.
CalendarDay LocalDay(std::time_t when);

// "Today" for the review schedule and the statistics: the day `overrideText` names when it is a
// date as ReadCalendarDay reads it in full (tests fix the day so), otherwise the local day of
// `now`. `overrideText` is null when unset.
CalendarDay Today(const char* overrideText, std::time_t now);

// "12-09": the month and day, for a chart's axis.
std::string MonthDayText(CalendarDay day);

}  // namespace tarvelle
