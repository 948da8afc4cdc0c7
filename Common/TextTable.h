#pragma once

// Fixed German/English texts chosen by the system locale's language (not by the installed
// translation): tab titles, yes/no, data-field names, service-counter names.

constexpr int TEXT_TABLE_SIZE = 141;

// The UTF-8 text of an index in 0..TEXT_TABLE_SIZE-1, in German when the language of the
// default locale is German, else in English. Any other index gives an empty text.
// The pointer stays valid for the whole run.
const char* GetText(int index);
