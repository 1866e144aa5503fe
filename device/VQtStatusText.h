// One line of text for a board error code or a camera status, in the device language
// (g_nDevLanguage: 1 English, anything else Chinese). The lookup tables are filled once, by
// whichever call comes first on any thread, and only read afterwards.
#ifndef VQTSTATUSTEXT_H
#define VQTSTATUSTEXT_H

#include <QHash>
#include <QString>

// Board error code (VionGetLastError) to text; code 1 (success) gives the empty text.
QString getAcqErrorCode(int code);
// Camera library status to text; status 0 (success) gives the empty text.
QString getRemoteErrorCode(unsigned int status);

void initVionBoardErrorCode();
void initVionCErrorCode();

// The tables, for inspection (tests, the translator's reference).
const QHash<int, QString>& vionBoardEnglishTable();
const QHash<int, QString>& vionBoardChineseTable();
const QHash<int, QString>& vionCModuleTable();
const QHash<int, QString>& vionCIdTable();

#endif // VQTSTATUSTEXT_H
