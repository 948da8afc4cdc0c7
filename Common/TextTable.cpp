#include "TextTable.h"

#include <QLocale>

// Constant-initialised: the tables exist before any thread reads them, no lazy filling needed.
static const char* const s_English[] = {
    "Yes",                                                  // 0
    "No",                                                   // 1
    "Minute Values",                                        // 2
    "Monthly Values",                                       // 3
    "1/4 Hour Values",                                      // 4
    "Daily Values",                                         // 5
    "Service Info",                                         // 6
    "WiFi Setup",                                           // 7
    "Detailed Information",                                 // 8
    "Outside temperature below -22°C",                      // 9
    "TOU",                                                  // 10
    "TEX",                                                  // 11
    "HEX",                                                  // 12
    "Humidity extract air (rel)",                           // 13
    "Temperature extract air",                              // 14
    "Temperature outside air",                              // 15
    "Humidity outside air (rel)",                           // 16
    "Temperature supply air (sens)",                        // 17
    "Temperature supply air",                               // 18
    "Temperature exhaust air",                              // 19
    "Duration comfort level 1",                             // 20
    "Duration comfort level 2",                             // 21
    "Duration comfort level 3",                             // 22
    "Duration comfort level 4",                             // 23
    "Duration comfort level 5",                             // 24
    "DC2R",                                                 // 25
    "Humidity reduction mode",                              // 26
    "CA",                                                   // 27
    "Room area (minimal ventilation)",                      // 28
    "2nd room adapter",                                     // 29
    "Fan speed supply air",                                 // 30
    "Fan speed extract air",                                // 31
    "FSS",                                                  // 32
    "FSE",                                                  // 33
    "WiFi-received signal strength",                        // 34
    "Fire",                                                 // 35
    "CO2 content",                                          // 36
    "Fire",                                                 // 37
    "CO2",                                                  // 38
    "WiFi",                                                 // 39
    "Filter operating hours",                               // 40
    "Filter dirty (air handicap)",                          // 41
    "Temperature sensor outside air",                       // 42
    "Temperature sensor exhaust air",                       // 43
    "Temperature sensor extract air",                       // 44
    "Temperature sensor supply air",                        // 45
    "Humidity sensor outside air",                          // 46
    "Humidity sensor extract air",                          // 47
    "CO2 sensor",                                           // 48
    "Flap extract air",                                     // 49
    "Flap bypass",                                          // 50
    "Flap supply air",                                      // 51
    "Flap extract air 2nd room",                            // 52
    "Fan supply air",                                       // 53
    "Fan extract air",                                      // 54
    "DIP switch",                                           // 55
    "Air pressure sensor",                                  // 56
    "Err-WiFi",                                             // 57
    "Err-FiOH",                                             // 58
    "Err-FiDI",                                             // 59
    "Err-TOU",                                              // 60
    "Err-TEH",                                              // 61
    "Err-TEX",                                              // 62
    "Err-TSU",                                              // 63
    "Err-HOU",                                              // 64
    "Err-HEX",                                              // 65
    "Err-CO2",                                              // 66
    "Err-FE1",                                              // 67
    "Err-FBY",                                              // 68
    "Err-FE2",                                              // 69
    "Err-FSU",                                              // 70
    "Err-FSS",                                              // 71
    "Err-FSE",                                              // 72
    "Err-DIP",                                              // 73
    "Err-APR",                                              // 74
    "System value filter operating hours",                  // 75
    "System value filter dirty (air handicap)",             // 76
    "System value temperature sensor outside air",          // 77
    "System value temperature sensor exhaust air",          // 78
    "System value temperature sensor extract air",          // 79
    "System value temperature sensor supply air",           // 80
    "System value humidity sensor outside air",             // 81
    "System value humidity sensor extract air",             // 82
    "System value CO2 sensor",                              // 83
    "System value flap bypass",                             // 84
    "System value flap extract air 2nd room",               // 85
    "System value flap supply air",                         // 86
    "System value flap extract air",                        // 87
    "System value DIP switch",                              // 88
    "System value air pressure sensor",                     // 89
    "System value fan extract air",                         // 90
    "System value fan supply air",                          // 91
    "System value CO2 content",                             // 92
    "System value fire",                                    // 93
    "System value WiFi",                                    // 94
    "System value flap extract air - not present",          // 95
    "System value flap extract air 2nd room - not present", // 96
    "System value flap supply air - not present",           // 97
    "System value flap bypass - not present",               // 98
    "System value flap extract air - current",              // 99
    "System value flap extract air 2nd room - current",     // 100
    "System value flap supply air - current",               // 101
    "System value flap bypass - current",                   // 102
    "System value flap extract air - time",                 // 103
    "System value flap extract air 2nd room - time",        // 104
    "System value flap supply air - time",                  // 105
    "System value flap bypass - time",                      // 106
    "System value flap extract air - loose",                // 107
    "System value flap extract air 2nd room - loose",       // 108
    "System value flap supply air - loose",                 // 109
    "System value flap bypass - loose",                     // 110
    "System value flap extract air - speed close",          // 111
    "System value flap extract air 2nd room - speed close", // 112
    "System value flap supply air - speed close",           // 113
    "System value flap bypass - speed close",               // 114
    "System value flap extract air - speed open",           // 115
    "System value flap extract air 2nd room - speed open",  // 116
    "System value flap supply air - speed open",            // 117
    "System value flap bypass - speed open",                // 118
    "QEA",                                                  // 119
    "QSA",                                                  // 120
    "Quality extract air",                                  // 121
    "Quality supply air",                                   // 122
    "DSE",                                                  // 123
    "Duration service mode",                                // 124
    "DC2I",                                                 // 125
    "DHCI",                                                 // 126
    "FSP",                                                  // 127
    "Fan speed",                                            // 128
    "VOC sensor",                                           // 129
    "Err-VOC",                                              // 130
    "Fan",                                                  // 131
    "Err-FAN",                                              // 132
    "Temperature sesnsor",                                  // 133
    "Err-TSE",                                              // 134
    "Humidity sensor",                                      // 135
    "Err-HSE",                                              // 136
    "Filter (fireplace)",                                   // 137
    "Err-FiFP",                                             // 138
    "Value",                                                // 139
    "Address Dravlin Vozudoz Controller",                   // 140
};

static const char* const s_German[] = {
    "Ja",                                                     // 0
    "Nein",                                                   // 1
    "Minuten-Werte",                                          // 2
    "Monats-Werte",                                           // 3
    "1/4-Stunden-Werte",                                      // 4
    "Tages-Werte",                                            // 5
    "Service-Infos",                                          // 6
    "WiFi-Konfig",                                            // 7
    "Geräte-Infos",                                           // 8
    "Außenluft unter -22°C",                                  // 9
    "TAU",                                                    // 10
    "TAB",                                                    // 11
    "FAB",                                                    // 12
    "Feuchtigkeit Abluft (rel)",                              // 13
    "Temperatur Abluft",                                      // 14
    "Temperatur Außenluft",                                   // 15
    "Feuchtigkeit Außenluft (rel)",                           // 16
    "Temperatur Zuluft (sens)",                               // 17
    "Temperatur Zuluft",                                      // 18
    "Temperatur Fortluft",                                    // 19
    "Zeit im Comfort-Level 1",                                // 20
    "Zeit im Comfort-Level 2",                                // 21
    "Zeit im Comfort-Level 3",                                // 22
    "Zeit im Comfort-Level 4",                                // 23
    "Zeit im Comfort-Level 5",                                // 24
    "ZC2",                                                    // 25
    "Entfeuchtungs-Modus",                                    // 26
    "KU",                                                     // 27
    "Raumfläche (Minimallüftung)",                            // 28
    "Zweitraum-Anschluss",                                    // 29
    "Lüftergeschw. Zuluft",                                   // 30
    "Lüftergeschw. Abluft",                                   // 31
    "LGZ",                                                    // 32
    "LGA",                                                    // 33
    "WiFi-Empfangssignalstärke",                              // 34
    "Feuer",                                                  // 35
    "CO2-Gehalt",                                             // 36
    "Feuer",                                                  // 37
    "CO2",                                                    // 38
    "WiFi",                                                   // 39
    "Filterbetriebszeit",                                     // 40
    "Filter verschmutzt (Luftbehinderung)",                   // 41
    "Temperatur-Sensor Außenluft",                            // 42
    "Temperatur-Sensor Fortluft",                             // 43
    "Temperatur-Sensor Abluft",                               // 44
    "Temperatur-Sensor Zuluft",                               // 45
    "Feuchtigk.-Sensor Außenluft",                            // 46
    "Feuchtigk.-Sensor Abluft",                               // 47
    "CO2-Sensor",                                             // 48
    "Klappe Abluft",                                          // 49
    "Klappe Bypass",                                          // 50
    "Klappe Zuluft",                                          // 51
    "Klappe Abluft Zweitraum",                                // 52
    "Lüfter Zuluft",                                          // 53
    "Lüfter Abluft",                                          // 54
    "DIP-Schalter",                                           // 55
    "Luftdruck-Sensor",                                       // 56
    "Err-WiFi",                                               // 57
    "Err-FiBZ",                                               // 58
    "Err-FiVE",                                               // 59
    "Err-TAU",                                                // 60
    "Err-TFO",                                                // 61
    "Err-TAB",                                                // 62
    "Err-TZU",                                                // 63
    "Err-FAU",                                                // 64
    "Err-FAB",                                                // 65
    "Err-CO2",                                                // 66
    "Err-KA1",                                                // 67
    "Err-KBY",                                                // 68
    "Err-KA2",                                                // 69
    "Err-KZU",                                                // 70
    "Err-LZ",                                                 // 71
    "Err-LA",                                                 // 72
    "Err-DIP",                                                // 73
    "Err-LDR",                                                // 74
    "Systemwert Filterbetriebszeit",                          // 75
    "Systemwert Filter verschmutzt (Luftbehinderung)",        // 76
    "Systemwert Temperatur-Sensor Außenluft",                 // 77
    "Systemwert Temperatur-Sensor Fortluft",                  // 78
    "Systemwert Temperatur-Sensor Abluft",                    // 79
    "Systemwert Temperatur-Sensor Zuluft",                    // 80
    "Systemwert Feuchtigk.-Sensor Außenluft",                 // 81
    "Systemwert Feuchtigk.-Sensor Abluft",                    // 82
    "Systemwert CO2-Sensor",                                  // 83
    "Systemwert Klappe Bypass",                               // 84
    "Systemwert Klappe Abluft Zweitraum",                     // 85
    "Systemwert Klappe Zuluft",                               // 86
    "Systemwert Klappe Abluft",                               // 87
    "Systemwert DIP-Schalter",                                // 88
    "Systemwert Luftdruck-Sensor",                            // 89
    "Systemwert Lüfter Abluft",                               // 90
    "Systemwert Lüfter Zuluft",                               // 91
    "Systemwert CO2-Gehalt",                                  // 92
    "Systemwert Feuer",                                       // 93
    "Systemwert WiFi",                                        // 94
    "Systemwert Klappe Abluft - Erkennung",                   // 95
    "Systemwert Klappe Abluft Zweitraum - Erkennung",         // 96
    "Systemwert Klappe Zuluft - Erkennung",                   // 97
    "Systemwert Klappe Bypass - Erkennung",                   // 98
    "Systemwert Klappe Abluft - Strom",                       // 99
    "Systemwert Klappe Abluft Zweitraum - Strom",             // 100
    "Systemwert Klappe Zuluft - Strom",                       // 101
    "Systemwert Klappe Bypass - Strom",                       // 102
    "Systemwert Klappe Abluft - Zeit",                        // 103
    "Systemwert Klappe Abluft Zweitraum - Zeit",              // 104
    "Systemwert Klappe Zuluft - Zeit",                        // 105
    "Systemwert Klappe Bypass - Zeit",                        // 106
    "Systemwert Klappe Abluft - Endlos",                      // 107
    "Systemwert Klappe Abluft Zweitraum - Endlos",            // 108
    "Systemwert Klappe Zuluft - Endlos",                      // 109
    "Systemwert Klappe Bypass - Endlos",                      // 110
    "Systemwert Klappe Abluft - Geschw. schließen",           // 111
    "Systemwert Klappe Abluft - Zweitraum Geschw. schließen", // 112
    "Systemwert Klappe Zuluft - Geschw. schließen",           // 113
    "Systemwert Klappe Bypass - Geschw. schließen",           // 114
    "Systemwert Klappe Abluft - Geschw. öffnen",              // 115
    "Systemwert Klappe Abluft - Zweitraum Geschw. öffnen",    // 116
    "Systemwert Klappe Zuluft - Geschw. öffnen",              // 117
    "Systemwert Klappe Bypass - Geschw. öffnen",              // 118
    "LQA",                                                    // 119
    "LQZ",                                                    // 120
    "Qualität Abluft",                                        // 121
    "Qualität Zuluft",                                        // 122
    "ZSB",                                                    // 123
    "Zeit im Service-Betrieb",                                // 124
    "ZCO",                                                    // 125
    "ZFC",                                                    // 126
    "FSP",                                                    // 127
    "Lüftergeschwindigkeit",                                  // 128
    "VOC-Sensor",                                             // 129
    "Err-VOC",                                                // 130
    "Lüfter",                                                 // 131
    "Err-LUE",                                                // 132
    "Temperatur-Sensor",                                      // 133
    "Err-TSE",                                                // 134
    "Feuchte-Sensor",                                         // 135
    "Err-FSE",                                                // 136
    "Filter (Feuerstätte)",                                   // 137
    "Err-FiFS",                                               // 138
    "Wert",                                                   // 139
    "Adresse Dravlin Vozudoz Controller",                     // 140
};

static_assert(sizeof(s_English) / sizeof(s_English[0]) == TEXT_TABLE_SIZE, "English table size");
static_assert(sizeof(s_German) / sizeof(s_German[0]) == TEXT_TABLE_SIZE, "German table size");

const char* GetText(int index)
{
    if (index < 0 || index >= TEXT_TABLE_SIZE)
        return "";
    // The default locale: the system's, or the one the command line chose.
    return QLocale().language() == QLocale::German ? s_German[index] : s_English[index];
}
