// Small helpers shared by the market day files: placing a value in a fixed-column record and the
// texts of a day. The records are cut with Chars from util/Text.h.
#pragma once

#include "util/Text.h"

#include <QDate>
#include <string>

namespace karvo {

// Writes text so that its last character lands in column endColumn (1-based) of record; a text
// longer than the room before that column keeps its tail. The record keeps its length.
void PlaceRight(std::string& record, int endColumn, const std::string& text);

// "yyyy-mm-dd", "yyyymmdd" and "dd/mm/yyyy" of a day.
std::string DashedDay(QDate day);
std::string CompactDay(QDate day);
std::string SlashedDay(QDate day);

} // namespace karvo
