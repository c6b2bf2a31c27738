// The attachment screen `TfrmAllegaCartella` (" Allega file") with its three
// slots, and the file-slot pieces the document and protocol cards reuse for
// their digital copy.
#pragma once

#include "common/modules.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;

namespace attachscreen {

// The cards that open the attachment screen, the command that opens it and
// the caller tag they put into its `lblMemory`, as the registered modules
// declare them.
using Owner = modules::AttachmentOwner;
std::vector<Owner> owners();
// The registered card of a caller tag, or nullptr.
QWidget* ownerForTag(const QString& tag);

// The file dialog `dlgFile` ("Selezionare il file da allegare:", "Tutti i
// file (*.*)"): returns the full path of the chosen file, empty when the
// user cancels. Tests put a picker of their own in its place.
using FilePicker = std::function<QString(QWidget* parent)>;
void setFilePicker(FilePicker picker); // an empty picker restores the dialog
QString pickFile(QWidget* parent);

// Choosing and copying a file for one name edit: the dialog, then the copy
// into "Documenti_Allegati". The edit gets the bare name only when a file
// of that name is now stored there (copied, or kept after answering No to
// the overwrite question); a cancelled dialog or a failed copy leaves it as
// it was. True when the edit got a name.
bool chooseAndAttach(QWidget* parent, QLineEdit* nameEdit);

// Wires one file slot: `browse` chooses and copies, `open` opens the stored
// copy and is enabled exactly when the trimmed name is not empty (followed
// at every change of the name), `clear` empties the name only. Buttons or
// pictures; any of them may be nullptr.
void bindFileSlot(QLineEdit* nameEdit, QWidget* browse, QWidget* open, QWidget* clear);

// The hidden labels of an owner card, in slot order.
inline constexpr const char* kFileLabels[3] = {"lblFile01", "lblFile02", "lblFile03"};
inline constexpr const char* kDescLabels[3] = {"lblDesc01", "lblDesc02", "lblDesc03"};

} // namespace attachscreen

class TfrmAllegaCartella : public QDialog {
  Q_OBJECT
public:
  explicit TfrmAllegaCartella(QWidget* parent = nullptr);

  void setCallerTag(const QString& tag); // `lblMemory`
  QString callerTag() const;
  // The card that receives the slots on "Applica e chiudi"; without one, the
  // card named by the caller tag.
  void setOwner(QWidget* owner);

  // The owner's six hidden labels, trimmed, into the slots.
  void loadFrom(QWidget* owner);
  // The six slots, trimmed, into the owner's hidden labels.
  void applyTo(QWidget* owner);

  // "Applica e chiudi".
  void applica();

private:
  QLabel* memory_;
  QPointer<QWidget> owner_;
};

namespace attachscreen {

// What a card's attach command does: opens the screen with the card's
// caller tag and its six hidden labels; "Applica e chiudi" writes them back,
// "Annulla" leaves the card as it was.
void showAttachments(QWidget* ownerCard, const QString& callerTag);

} // namespace attachscreen
