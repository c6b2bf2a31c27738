// The help pages: one title and one text for every help command of the
// program, and the user manual shown by the main menu. The texts live in
// resource files compiled into this library; each topic's text is its
// paragraphs joined by a blank line ("\r\n\r\n").
#pragma once

#include "common/help.h"

#include <QString>
#include <QStringList>

#include <vector>

struct HelpPage {
  QString title;
  QString text;
};

// The page a help command shows: its fixed title and its text.
HelpPage helpPage(HelpTopic topic);

namespace help {

// Every topic, in the order of the enumeration in common/help.h.
const std::vector<HelpTopic>& allTopics();

// The paragraphs of a topic, in order; its text is them joined by "\r\n\r\n".
QStringList paragraphs(HelpTopic topic);
QString joinParagraphs(const QStringList& paragraphs);

// The user manual in parts, for the printed guide.
struct ManualChapter {
  QString name;                  // the application as the main menu names it
  HelpTopic topic;               // its own help page
  std::vector<HelpTopic> related; // the pages of its exports and summaries
};
QStringList manualIntroduction();
const std::vector<ManualChapter>& manualChapters(); // main-menu order
QStringList manualClosing();
// The heading of chapter n (1-based) as the manual text shows it.
QString chapterHeading(int n, const QString& name);

// The maker's contacts, shown by the information and about screens.
QString makerEmail();
QString webAddress();     // the address opened by the browser
QString webAddressText(); // the address as the link shows it
// The "mailto:" address that opens a message to the maker with subject and
// first line filled in, percent-encoded for the mail program.
QString makerMailto();

} // namespace help
