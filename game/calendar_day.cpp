#include "game/calendar_day.h"

#include <array>
#include <cstdio>

namespace tarvelle {
namespace {

// The value of `count` digits at the front of `text`, or -1.
int Digits(std::string_view text, std::size_t count) {
    if (text.size() < count) return -1;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<CalendarDay> ReadCalendarDay(std::string_view text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const int year = Digits(text, 4);
    const int month = Digits(text.substr(5), 2);
    const int day = Digits(text.substr(8), 2);
    if (year < 0 || month < 0 || day < 0) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) return std::nullopt;
    return CalendarDay(date);
}

CalendarDay LocalDay(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return CalendarDay(
        std::chrono::year_month_day{std::chrono::year(local.tm_year + 1900),
                                    std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                    std::chrono::day(static_cast<unsigned>(local.tm_mday))});
}

CalendarDay Today(const char* overrideText, std::time_t now) {
    if (overrideText != nullptr && std::string_view(overrideText).size() == 10) {
        if (const std::optional<CalendarDay> day = ReadCalendarDay(overrideText)) return *day;
    }
    return LocalDay(now);
}

std::string MonthDayText(CalendarDay day) {
    const std::chrono::year_month_day date(day);
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%02u-%02u", static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()));
    return text.data();
}

}  // namespace tarvelle
