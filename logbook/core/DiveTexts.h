#pragma once
// The one-line texts that the data window, the edit dialog and the printouts show for a
// dive's flag words, and the altitude list of the edit dialog. Texts follow the language
// given (the captions of the dive type and activities dialogs, the alarm messages).
//
//   vType->setText(DiveTypeText(dive.DiveType, CurrentLanguage()));     // "Nitrox, No stop"
//   vActivity->setText(ActivitiesText(dive.Activities, other, lang));     // "Night-dive, wall"
//   vAlarms->setText(AlarmText(dive.DeviceStatus, lang));                 // "Ascent, SOS"
//   eRange->addItems(AltitudeItems(CurrentUnitSystem()));                 // five items

#include <QString>
#include <QStringList>
#include <cstdint>

inline constexpr int kActivityCount = 12;

// Gas, decompression, ascent and water, each shown when exactly one of its two bits is set.
QString DiveTypeText(std::uint16_t flags, int languageIndex);

// Captions of the activities whose bit is set, in bit order, then `other` when not empty,
// joined with ", ".
QString ActivitiesText(std::uint16_t activities, const QString& other, int languageIndex);

// Caption of activity `bit` (0..11); empty outside.
QString ActivityCaption(int bit, int languageIndex);

// Ascent, decompression, work and SOS alarms of DeviceStatus, joined with ", ".
QString AlarmText(std::uint16_t deviceStatus, int languageIndex);

// The altitude classes: a blank item, then four ranges in metres or feet (the same texts in
// every language).
QStringList AltitudeItems(int unitSystem);
