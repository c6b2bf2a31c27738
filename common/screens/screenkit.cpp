#include "screenkit.h"

#include "progress.h"

#include "archive/record.h"
#include "archive/safefile.h"
#include "common/dates.h"
#include "common/services.h"
#include "engines/reportpdf.h"
#include "engines/screens/reportdesktop.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QInputDialog>
#include <QMouseEvent>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QSvgRenderer>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include <memory>

static void loadScreenIcons() { Q_INIT_RESOURCE(screenicons); }

namespace screenkit {

void applyFormats() {
  // Italian formats: dd/MM/yyyy dates and the decimal comma.
  QLocale it(QLocale::Italian, QLocale::Italy);
  QLocale::setDefault(it);
}

namespace {

class DesktopMessages : public Messages {
public:
  bool show(MessageKind kind, const QString& text) override {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Velarion"));
    box.setText(text);
    switch (kind) {
    case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
    case MessageKind::Question: box.setIcon(QMessageBox::Question); break;
    case MessageKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
    }
    if (kind == MessageKind::Question) {
      QPushButton* yes = box.addButton(QStringLiteral("S\u00EC"), QMessageBox::YesRole);
      box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
      box.setDefaultButton(yes);
      box.exec();
      return box.clickedButton() == yes;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    if (kind != MessageKind::Plain) box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    return false;
  }

  SaveAnswer askSave(const QString& text) override {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Velarion"));
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    QPushButton* save = box.addButton(QStringLiteral("Salva"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Non salvare"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel); // Esc, or closing the window, goes back to the card
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::Save;
    if (box.clickedButton() == discard) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
  }
};

class DesktopShell : public Shell {
public:
  // The desktop answers false when no program is associated with the file
  // or the address (or none of its openers could be started).
  bool open(const QString& target) override {
    const int colon = target.indexOf(QLatin1Char(':'));
    // "mailto:" and web addresses go as they are; anything else is a path.
    if (colon > 1 && !QFileInfo(target).isAbsolute())
      return QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(target));
    if (!QFileInfo::exists(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  }
};

class DesktopInputs : public Inputs {
public:
  std::optional<QString> ask(const QString& title, const QString& prompt, const QString& initial) override {
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(initial);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Annulla"));
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue();
  }
};

QHash<QString, QPointer<QWidget>>& registry() {
  static QHash<QString, QPointer<QWidget>> r;
  return r;
}

bool isEnter(QEvent* e) {
  if (e->type() != QEvent::KeyPress) return false;
  const int k = static_cast<QKeyEvent*>(e)->key();
  return k == Qt::Key_Return || k == Qt::Key_Enter;
}

// One small event filter object per behaviour, owned by the widget it serves.
class Filter : public QObject {
public:
  Filter(QObject* owner, std::function<bool(QObject*, QEvent*)> f) : QObject(owner), f_(std::move(f)) {
    owner->installEventFilter(this);
  }
  bool eventFilter(QObject* o, QEvent* e) override { return f_(o, e); }

private:
  std::function<bool(QObject*, QEvent*)> f_;
};

} // namespace

namespace {

// Qt's file dialogs open small: at 1024 x 768 their columns cut names,
// sizes and dates. Each opens at a size that shows them.
class ReadableFileDialogs : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Show || !o->inherits("QFileDialog")) return false;
    auto* dialog = static_cast<QWidget*>(o);
    if (dialog->property("screenkitSized").toBool()) return false;
    dialog->setProperty("screenkitSized", true);
    const QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() * 0.9 : QSize(900, 560);
    dialog->resize(dialog->size().expandedTo(QSize(860, 520)).boundedTo(room));
    return false;
  }
};

} // namespace

void installDesktopSeams() {
  static DesktopMessages messages;
  static DesktopShell shell;
  static DesktopInputs inputs;
  services::setDefaults(&messages, &shell, &inputs);
  // PDF files go through the safe save, as every file the program writes
  report::setFileSaver(safefile::saveTo);
  report::setPrintFileSaver(safefile::saveByNameTo);
  report::setPrintFailureNotice([](QWidget*, const QString& message) { services::error(message); });
  installPrintProgress();
  static QPointer<ReadableFileDialogs> dialogs;
  if (!dialogs && qApp) {
    dialogs = new ReadableFileDialogs(qApp);
    qApp->installEventFilter(dialogs);
  }
}

// ---- pictures and links ----

namespace {
QString iconPath(const QString& name) { return QStringLiteral(":/screens/icons/%1.svg").arg(name); }

qreal pixelRatio() { return qApp ? qApp->devicePixelRatio() : 1.0; }
} // namespace

QPixmap picture(const QString& resource, QSize size) {
  QSvgRenderer renderer(resource);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  if (renderer.isValid()) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
  }
  return QPixmap::fromImage(image);
}

void ClickLabel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    down_ = true;
    emit pressed();
  }
  QLabel::mousePressEvent(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && down_) {
    down_ = false;
    emit released();
    if (isEnabled() && rect().contains(e->position().toPoint())) emit clicked();
  }
  QLabel::mouseReleaseEvent(e);
}

QColor linkColour() { return QColor(0x00, 0x00, 0x8B); }
QColor linkPressedColour() { return QColor(0xFF, 0xA5, 0x00); }

namespace {
void paintLink(QLabel* link, const QColor& colour) {
  QPalette palette = link->palette();
  palette.setColor(QPalette::WindowText, colour);
  link->setPalette(palette);
}
} // namespace

void bindLink(ClickLabel* link, std::initializer_list<ClickLabel*> pictures, std::function<void()> open) {
  QFont font = link->font();
  font.setUnderline(true);
  link->setFont(font);
  paintLink(link, linkColour());
  auto wire = [link, open](ClickLabel* source) {
    source->setCursor(Qt::PointingHandCursor);
    QObject::connect(source, &ClickLabel::pressed, link, [link] { paintLink(link, linkPressedColour()); });
    QObject::connect(source, &ClickLabel::released, link, [link] { paintLink(link, linkColour()); });
    QObject::connect(source, &ClickLabel::clicked, link, [open] { open(); });
  };
  wire(link);
  for (ClickLabel* p : pictures) wire(p);
}

void centre(QWidget* window, const QWidget* over) {
  QRect area;
  if (over && over->isVisible()) {
    area = over->window()->frameGeometry();
  } else {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    area = screen->availableGeometry();
  }
  const QSize size = window->frameGeometry().size();
  window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

namespace {

// The caption band of a window without window buttons: dragging it moves
// the window.
class CaptionBand : public QLabel {
public:
  explicit CaptionBand(QWidget* window) : QLabel(window) {}

protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton)
      if (QWindow* handle = window()->windowHandle()) handle->startSystemMove();
    QLabel::mousePressEvent(e);
  }
};

} // namespace

void makeButtonless(QWidget* window) {
  window->setWindowFlags((window->windowFlags() & Qt::WindowType_Mask) | Qt::CustomizeWindowHint);
  auto* band = new CaptionBand(window);
  band->setObjectName(QStringLiteral("panIntestazione"));
  band->setText(window->windowTitle().trimmed());
  QFont bold = band->font();
  bold.setBold(true);
  band->setFont(bold);
  band->setStyleSheet(QStringLiteral("QLabel{color:white;padding-left:10px;"
                                     "background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #3d6fb0,stop:1 #1f4f8f);}"));
  const int height = band->fontMetrics().height() + 10;
  if (QLayout* layout = window->layout()) {
    QMargins m = layout->contentsMargins();
    m.setTop(m.top() + height);
    layout->setContentsMargins(m);
  }
  if (window->minimumSize() == window->maximumSize())
    window->setFixedSize(window->width(), window->height() + height);
  band->setGeometry(0, 0, window->width(), height);
  band->raise();
  QPointer<QLabel> guarded(band);
  new Filter(window, [window, guarded, height](QObject* o, QEvent* e) {
    if (o != window || !guarded) return false;
    switch (e->type()) {
    case QEvent::Resize: guarded->setGeometry(0, 0, window->width(), height); break;
    case QEvent::WindowTitleChange: guarded->setText(window->windowTitle().trimmed()); break;
    case QEvent::Paint: {
      // the border the window manager no longer draws
      QPainter p(window);
      p.setPen(QColor(0x1f, 0x4f, 0x8f));
      p.drawRect(window->rect().adjusted(0, 0, -1, -1));
      break;
    }
    default: break;
    }
    return false;
  });
}

bool hasIcon(const QString& name) {
  static const bool loaded = (loadScreenIcons(), true);
  Q_UNUSED(loaded);
  return !name.isEmpty() && QFileInfo::exists(iconPath(name));
}

QPixmap icon(const QString& name, int size) {
  const qreal ratio = pixelRatio();
  // drawn once per name, size and pixel ratio; the cache goes with the application
  const QString key = QStringLiteral("screenkit:%1@%2x%3").arg(name).arg(size).arg(ratio);
  QPixmap pm;
  if (QPixmapCache::find(key, &pm)) return pm;
  const int side = qRound(size * ratio);
  pm = QPixmap(side, side);
  pm.fill(Qt::transparent);
  if (hasIcon(name)) {
    QSvgRenderer svg(iconPath(name));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
  }
  pm.setDevicePixelRatio(ratio);
  QPixmapCache::insert(key, pm);
  return pm;
}

Picture::Picture(const QString& objectName, const QString& caption, const QString& iconName, QWidget* parent,
                 int iconSize)
    : ClickLabel(parent) {
  setObjectName(objectName);
  const QPixmap pm = icon(iconName, iconSize);
  if (caption.isEmpty()) {
    setPixmap(pm);
  } else {
    // picture above, caption below, drawn as rich text so both scale with the font
    setText(caption);
    setPixmap(QPixmap());
    setTextFormat(Qt::PlainText);
    const qreal ratio = pm.devicePixelRatio();
    const QSize size(qMax(iconSize, fontMetrics().horizontalAdvance(caption)) + 8, iconSize + fontMetrics().height() + 6);
    QPixmap canvas(size * ratio);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    p.drawPixmap((size.width() - iconSize) / 2, 0, pm);
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    p.drawText(QRect(0, iconSize + 2, size.width(), fontMetrics().height() + 4), Qt::AlignHCenter | Qt::AlignTop,
               caption);
    p.end();
    setPixmap(canvas);
    setToolTip(QString());
  }
  setAlignment(Qt::AlignCenter);
  setCursor(Qt::PointingHandCursor);
  restyle(false);
}

Picture::Picture(const QString& objectName, const QPixmap& pixmap, QWidget* parent) : ClickLabel(parent) {
  setObjectName(objectName);
  setPixmap(pixmap);
  setAlignment(Qt::AlignCenter);
  setCursor(Qt::PointingHandCursor);
  restyle(false);
}

void Picture::setEnabled(bool on) { QLabel::setEnabled(on); }

void Picture::enterEvent(QEnterEvent* e) {
  QLabel::enterEvent(e);
  restyle(true);
}

void Picture::leaveEvent(QEvent* e) {
  QLabel::leaveEvent(e);
  restyle(false);
}

void Picture::hideEvent(QHideEvent* e) {
  QLabel::hideEvent(e);
  restyle(false);
}

void Picture::changeEvent(QEvent* e) {
  QLabel::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) restyle(false);
}

void Picture::restyle(bool hover) {
  setStyleSheet(hover && isEnabled() ? QStringLiteral("QLabel{border:1px solid #8aa4c8;border-radius:3px;background:#e6eefa;}")
                                     : QStringLiteral("QLabel{border:1px solid transparent;}"));
}

// ---- status line and hints ----

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setWordWrap(true);
  return l;
}

QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

QLabel* hiddenLabel(const QString& name, const QString& text, QWidget* parent) {
  QLabel* l = namedLabel(name, text, parent);
  l->hide();
  return l;
}

QPushButton* commandButton(const QString& name, const QString& text, QWidget* parent, int minimumWidth) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setMinimumWidth(minimumWidth);
  return b;
}

QLabel* makeStatusLine(QWidget* screen, const QString& initialText) {
  auto* line = new QLabel(initialText, screen);
  line->setObjectName(QStringLiteral("panInfo"));
  line->setFrameShape(QFrame::Panel);
  line->setFrameShadow(QFrame::Sunken);
  line->setMinimumHeight(22);
  line->setContentsMargins(6, 2, 6, 2);
  return line;
}

QLabel* frameMenuScreen(QWidget* screen, QLayout* content, std::function<void()> help) {
  auto* guida = new Picture(QStringLiteral("imgGuida"), QStringLiteral("Guida"), QStringLiteral("guida"), screen);
  guida->setEnabled(bool(help));
  QObject::connect(guida, &Picture::clicked, screen, [help] {
    if (help) help();
  });
  auto* esci = new Picture(QStringLiteral("imgEsci"), QStringLiteral("Esci"), QStringLiteral("esci"), screen);
  QObject::connect(esci, &Picture::clicked, screen, &QWidget::close);
  // Esc leaves as the exit picture does, F1 opens the help
  pressOnKey(esci, QKeySequence(Qt::Key_Escape));
  pressOnKey(guida, QKeySequence(Qt::Key_F1));

  QLabel* status = makeStatusLine(screen, QString());
  setHint(guida, status, QStringLiteral("Visualizza la guida dell'applicazione."));
  setHint(esci, status, QStringLiteral("Torna al menu principale."));
  clearHintOver(screen, status);

  auto* side = new QVBoxLayout;
  side->addWidget(guida);
  side->addStretch();
  side->addWidget(esci);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(18, 14, 12, 8);
  body->addLayout(content, 1);
  body->addSpacing(12);
  body->addLayout(side);

  auto* all = new QVBoxLayout(screen);
  all->setContentsMargins(0, 0, 0, 0);
  all->setSpacing(0);
  all->addLayout(body, 1);
  all->addWidget(status);
  return status;
}

namespace {
// Marks a control that shows a hint of its own.
const char* const kHasHint = "screenkitHint";

// True when the point of `background` lies on a control with a hint (or on
// a child of one): a move that control passes on to its background (check
// boxes and option buttons track the mouse) must not clear its hint.
bool overHintedControl(QWidget* background, QPoint at) {
  for (QWidget* w = background->childAt(at); w && w != background; w = w->parentWidget())
    if (w->property(kHasHint).toBool()) return true;
  return false;
}
} // namespace

void setHint(QWidget* control, QLabel* statusLine, const QString& hint) {
  QPointer<QLabel> line(statusLine);
  control->setProperty(kHasHint, true);
  new Filter(control, [line, hint](QObject*, QEvent* e) {
    if ((e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) && line) line->setText(hint);
    return false;
  });
}

void clearHintOver(QWidget* background, QLabel* statusLine) {
  QPointer<QLabel> line(statusLine);
  background->setMouseTracking(true);
  new Filter(background, [line, background](QObject* o, QEvent* e) {
    // only moves over the background itself, not over a control with a hint
    if (o == background && e->type() == QEvent::MouseMove && line &&
        !overHintedControl(background, static_cast<QMouseEvent*>(e)->position().toPoint()))
      line->clear();
    return false;
  });
}

// ---- focus frames ----

QWidget* addFocusFrame(QWidget* field, const QString& frameName, QWidget* surface) {
  QWidget* row = field->parentWidget();
  if (!surface) surface = row;
  auto* frame = new QFrame(surface);
  frame->setObjectName(frameName);
  frame->setStyleSheet(QStringLiteral("QFrame{background:#FFFF00;border:1px solid #E0C000;}"));
  frame->hide();
  // The frame may go before its field when the screen is destroyed.
  QPointer<QFrame> guarded(frame);
  auto place = [guarded, field, row, surface] {
    if (!guarded) return;
    QRect at = field->geometry();
    if (row != surface) at.moveTopLeft(row->mapTo(surface, at.topLeft()));
    guarded->setGeometry(at.adjusted(-3, -3, 3, 3));
    guarded->lower();
  };
  new Filter(field, [guarded, place](QObject*, QEvent* e) {
    if (!guarded) return false;
    switch (e->type()) {
    case QEvent::FocusIn:
      place();
      guarded->show();
      break;
    case QEvent::FocusOut: guarded->hide(); break;
    case QEvent::Move:
    case QEvent::Resize: place(); break;
    default: break;
    }
    return false;
  });
  // a field in a row of its own moves with the row
  if (row != surface)
    new Filter(row, [guarded, place](QObject*, QEvent* e) {
      if (guarded && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) place();
      return false;
    });
  return frame;
}

// ---- keys ----

void press(QWidget* command) {
  if (!command || !command->isEnabled() || !command->isVisible()) return;
  if (auto* b = qobject_cast<QAbstractButton*>(command)) b->click();
  else if (auto* p = qobject_cast<ClickLabel*>(command)) p->click();
}

void pressOnKey(QWidget* command, const QKeySequence& key, std::function<bool()> allowed) {
  // a shortcut belonging to the command is live only while the command is
  // shown and enabled
  auto* shortcut = new QShortcut(key, command);
  QPointer<QWidget> target(command);
  QObject::connect(shortcut, &QShortcut::activated, command, [target, allowed] {
    if (target && (!allowed || allowed())) press(target);
  });
}

void setEnterChain(const std::vector<QWidget*>& chain) {
  for (size_t i = 0; i < chain.size(); ++i) {
    QWidget* next = chain[(i + 1) % chain.size()];
    QPointer<QWidget> target(next);
    onEnter(chain[i], [target] {
      if (target) target->setFocus(Qt::OtherFocusReason);
    });
  }
}

void onEnter(QWidget* field, std::function<void()> action) {
  new Filter(field, [action](QObject*, QEvent* e) {
    if (!isEnter(e)) return false;
    action();
    return true;
  });
}

void onFocusOut(QWidget* field, std::function<void()> action) {
  // A widget being destroyed loses its focus after its own class is gone
  // (its meta-object is then a base one): the action must not touch it.
  const QMetaObject* kind = field->metaObject();
  new Filter(field, [action, kind](QObject* o, QEvent* e) {
    if (e->type() == QEvent::FocusOut && o->metaObject() == kind) action();
    return false;
  });
}

namespace {

// Whether a key writes its text into a line edit, as the edit itself
// decides it: printable text, not under Ctrl (a shortcut) unless AltGr
// makes it Ctrl+Alt.
bool writesText(const QKeyEvent* k) {
  const QString t = k->text();
  if (t.isEmpty() || !t.at(0).isPrint()) return false;
  const Qt::KeyboardModifiers m = k->modifiers() & ~Qt::KeypadModifier;
  return m != Qt::ControlModifier && m != (Qt::ShiftModifier | Qt::ControlModifier);
}

// Inserts text given at once (a paste, a drop) as `keep` leaves it, where
// the edit would have put it.
void insertKept(QLineEdit* edit, const QString& text, const std::function<QString(const QString&)>& keep) {
  if (edit->isReadOnly()) return;
  edit->insert(keep(text));
}

// Pasted or dropped text reaches the edit as `keep` leaves it: Ctrl+V and
// Shift+Insert, the X11 selection pasted with the middle button, a drop
// from elsewhere and "Incolla" of the context menu.
void pasteKept(QLineEdit* edit, std::function<QString(const QString&)> keep) {
  new Filter(edit, [edit, keep](QObject*, QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress:
      if (!static_cast<QKeyEvent*>(e)->matches(QKeySequence::Paste)) return false;
      insertKept(edit, QGuiApplication::clipboard()->text(), keep);
      return true;
    case QEvent::MouseButtonRelease: {
      auto* m = static_cast<QMouseEvent*>(e);
      if (m->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection()) return false;
      edit->deselect();
      edit->setCursorPosition(edit->cursorPositionAt(m->position().toPoint()));
      insertKept(edit, QGuiApplication::clipboard()->text(QClipboard::Selection), keep);
      return true;
    }
    case QEvent::Drop: {
      auto* d = static_cast<QDropEvent*>(e);
      if (d->source() == edit || !d->mimeData()->hasText()) return false;
      edit->setCursorPosition(edit->cursorPositionAt(d->position().toPoint()));
      insertKept(edit, d->mimeData()->text(), keep);
      d->acceptProposedAction();
      return true;
    }
    case QEvent::ContextMenu: {
      std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
      for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String("edit-paste")) {
          QObject::disconnect(a, &QAction::triggered, edit, nullptr);
          QObject::connect(a, &QAction::triggered, edit,
                           [edit, keep] { insertKept(edit, QGuiApplication::clipboard()->text(), keep); });
        }
      menu->exec(static_cast<QContextMenuEvent*>(e)->globalPos());
      return true;
    }
    default: return false;
    }
  });
}

} // namespace

bool leftForAnotherField(const QEvent* e) {
  if (e->type() != QEvent::FocusOut) return false;
  const Qt::FocusReason reason = static_cast<const QFocusEvent*>(e)->reason();
  // the widget taking the focus already has it when the leaving one hears of it
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && QApplication::focusWidget();
}

QLineEdit* yearEdit(const QString& name, QWidget* parent) {
  auto* year = new QLineEdit(parent);
  year->setObjectName(name);
  year->setMaxLength(4);
  year->setFixedWidth(year->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
  // keys other than digits never reach the edit; the validator also keeps
  // anything but digits from being pasted
  year->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), year));
  digitsOnly(year);
  return year;
}

const QString& yearHint() {
  static const QString s = QStringLiteral("Indicare l'anno solare con quattro cifre.");
  return s;
}

bool acceptsYear(QLineEdit* edit) {
  if (dates::isYearText(edit->text())) return true;
  services::warning(QString::fromUtf8(dates::kYearWarning));
  edit->setFocus(Qt::OtherFocusReason);
  return false;
}

void digitsOnly(QWidget* edit, const QString& also) {
  auto taken = [also](QChar c) { return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || also.contains(c); };
  if (auto* line = qobject_cast<QLineEdit*>(edit))
    pasteKept(line, [taken](const QString& text) {
      QString kept;
      for (QChar c : text)
        if (taken(c)) kept += c;
      return kept;
    });
  new Filter(edit, [taken](QObject*, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (!writesText(k)) return false;
    for (QChar c : k->text())
      if (!taken(c)) return true;
    return false;
  });
}

namespace {
const char* const kSelectsOnEntry = "screenkitSelectsOnEntry";
} // namespace

void focusOn(QWidget* field) {
  field->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(field); edit && edit->property(kSelectsOnEntry).toBool()) edit->selectAll();
}

void selectOnEntry(QLineEdit* edit) {
  edit->setProperty(kSelectsOnEntry, true);
  // a click selects when its button is released, so that the press does
  // not take the selection away again
  auto clicked = std::make_shared<bool>(false);
  const QMetaObject* kind = edit->metaObject();
  new Filter(edit, [edit, clicked, kind](QObject* o, QEvent* e) {
    if (o->metaObject() != kind) return false; // being destroyed
    switch (e->type()) {
    case QEvent::FocusIn: {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
      if (reason == Qt::MouseFocusReason) *clicked = true;
      else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) edit->selectAll();
      break;
    }
    case QEvent::MouseButtonRelease:
      if (*clicked && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        *clicked = false;
        if (!edit->hasSelectedText()) edit->selectAll();
      }
      break;
    case QEvent::FocusOut: *clicked = false; break;
    default: break;
    }
    return false;
  });
}

namespace {

bool isBlank(QChar c) { return c.isSpace(); }

QString withoutBlanks(QString text) {
  text.removeIf(isBlank);
  return text;
}

// The text the user gave, as the rule keeps it: upper-cased and/or trimmed.
QString treat(const QString& text, bool upper, bool trim) {
  QString t = upper ? fieldtext::upperStorable(text) : text;
  return trim ? fieldtext::trimmed(t) : t;
}

// Applies a rule at every change the user makes to a line edit, keeping the
// cursor where it was (or before the characters the rule took away).
void keepTreated(QLineEdit* edit, bool upper, bool trim) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, upper, trim](const QString& text) {
    const QString t = treat(text, upper, trim);
    if (t == text) return;
    int cursor = edit->cursorPosition();
    if (trim) // blanks trimmed away before the cursor move it back
      for (int i = 0; i < text.size() && text[i].unicode() <= 32 && cursor > 0; ++i) --cursor;
    edit->setText(t);
    edit->setCursorPosition(qBound(0, cursor, int(t.size())));
  });
}

} // namespace

void pasteWithoutBlanks(QLineEdit* edit) { pasteKept(edit, withoutBlanks); }

void keepUpper(QLineEdit* edit, bool trim) {
  keepTreated(edit, true, trim);
  if (trim) pasteWithoutBlanks(edit);
}

void keepUpper(QComboBox* combo, bool trim) {
  if (QLineEdit* edit = combo->lineEdit()) keepUpper(edit, trim);
}

void keepTrimmed(QLineEdit* edit) {
  keepTreated(edit, false, true);
  pasteWithoutBlanks(edit);
}

// ---- registry ----

void ScreenSet::add(QWidget* screen) { registry().insert(screen->objectName(), screen); }

void ScreenSet::remove(QWidget* screen) {
  auto it = registry().find(screen->objectName());
  if (it != registry().end() && it.value() == screen) registry().erase(it);
}

QWidget* ScreenSet::find(const QString& objectName) { return registry().value(objectName).data(); }

void ScreenSet::show(const QString& objectName, QWidget* from) {
  QWidget* screen = find(objectName);
  if (!screen) return;
  if (screen->windowState() & Qt::WindowMaximized) {
    // without a window manager a maximised window keeps its own size
    if (QScreen* s = screen->screen()) screen->setGeometry(s->availableGeometry());
    screen->showMaximized();
  }
  else
    screen->show();
  screen->raise();
  screen->activateWindow();
  if (from && from != screen) from->hide();
}

// ---- the look ----

QPalette lookPalette() {
  // active (and inactive) colour, disabled colour
  struct Role {
    QPalette::ColorRole role;
    QColor colour, disabled;
  };
  const QColor black(0x00, 0x00, 0x00), white(0xFF, 0xFF, 0xFF), face(0xEF, 0xEF, 0xEF), greyed(0x8A, 0x8A, 0x8A);
  const Role roles[] = {
      {QPalette::Window, face, face},
      {QPalette::WindowText, black, greyed},
      {QPalette::Base, white, face},
      {QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7), QColor(0xF7, 0xF7, 0xF7)},
      {QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC), QColor(0xFF, 0xFF, 0xDC)},
      {QPalette::ToolTipText, black, black},
      {QPalette::PlaceholderText, QColor(0x70, 0x70, 0x70), QColor(0xA0, 0xA0, 0xA0)},
      {QPalette::Text, black, greyed},
      {QPalette::Button, face, face},
      {QPalette::ButtonText, black, greyed},
      {QPalette::BrightText, white, white},
      {QPalette::Light, white, white},
      {QPalette::Midlight, QColor(0xCA, 0xCA, 0xCA), QColor(0xCA, 0xCA, 0xCA)},
      {QPalette::Mid, QColor(0xB8, 0xB8, 0xB8), QColor(0xB8, 0xB8, 0xB8)},
      {QPalette::Dark, QColor(0x9F, 0x9F, 0x9F), QColor(0xBE, 0xBE, 0xBE)},
      {QPalette::Shadow, QColor(0x76, 0x76, 0x76), QColor(0xB1, 0xB1, 0xB1)},
      // a selected line keeps white text readable, in an inactive window too
      {QPalette::Highlight, QColor(0x2A, 0x6F, 0xB0), QColor(0x91, 0x91, 0x91)},
      {QPalette::HighlightedText, white, white},
      {QPalette::Link, linkColour(), greyed},
      {QPalette::LinkVisited, QColor(0x80, 0x00, 0x80), greyed},
  };
  QPalette palette;
  for (const Role& r : roles) {
    palette.setColor(QPalette::Active, r.role, r.colour);
    palette.setColor(QPalette::Inactive, r.role, r.colour);
    palette.setColor(QPalette::Disabled, r.role, r.disabled);
  }
  return palette;
}

namespace {

// The widget classes a desktop theme may give palettes of their own.
const char* const kThemedClasses[] = {"QAbstractButton", "QToolButton",   "QCheckBox",  "QRadioButton", "QHeaderView",
                                      "QAbstractItemView", "QMessageBoxLabel", "QTabBar", "QLabel",     "QGroupBox",
                                      "QMenu",           "QMenuBar",      "QTextEdit",  "QTextControl", "QLineEdit",
                                      "QComboBox"};

// Puts the look's palette back wherever the application's palette, the
// palette of a widget class or the tooltips' palette has become another.
void keepLookPalette() {
  const QPalette look = lookPalette();
  // setting the application's palette also drops the class palettes
  if (QApplication::palette() != look) QApplication::setPalette(look);
  for (const char* name : kThemedClasses)
    if (QApplication::palette(name) != look) QApplication::setPalette(look, name);
  if (QToolTip::palette() != look) QToolTip::setPalette(look);
}

// Sets the look again after the desktop changed the palette or its theme.
class LookKeeper : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    const bool changed =
        (o == qApp && e->type() == QEvent::ApplicationPaletteChange) || e->type() == QEvent::ThemeChange;
    if (changed && !busy_) {
      busy_ = true;
      keepLookPalette();
      busy_ = false;
    }
    return false;
  }

private:
  bool busy_ = false;
};

} // namespace

void applyLook() {
  if (!qApp) return;
  if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
    QApplication::setStyle(QStringLiteral("Fusion"));
  keepLookPalette();
  static QPointer<LookKeeper> keeper;
  if (!keeper) {
    keeper = new LookKeeper(qApp);
    qApp->installEventFilter(keeper);
  }
}

// ---- control texts ----

QString textOf(QWidget* c) {
  if (auto* e = qobject_cast<QLineEdit*>(c)) return e->text();
  if (auto* cb = qobject_cast<QComboBox*>(c)) return cb->currentText();
  if (auto* ch = qobject_cast<QAbstractButton*>(c); ch && ch->isCheckable())
    return ch->isChecked() ? fieldtext::yes() : fieldtext::no();
  if (auto* l = qobject_cast<QLabel*>(c)) return l->text();
  if (auto* p = qobject_cast<QPlainTextEdit*>(c)) return p->toPlainText();
  return QString();
}

void setTextOf(QWidget* c, const QString& text) {
  if (auto* e = qobject_cast<QLineEdit*>(c)) {
    e->setText(text);
    e->setCursorPosition(0); // a long value shows its beginning
  } else if (auto* cb = qobject_cast<QComboBox*>(c)) {
    cb->setCurrentIndex(-1);
    cb->setEditText(text);
    if (cb->lineEdit()) cb->lineEdit()->setCursorPosition(0);
  } else if (auto* ch = qobject_cast<QAbstractButton*>(c); ch && ch->isCheckable()) {
    // a flag that is neither yes nor no leaves the box as it was
    const QString t = fieldtext::trimmed(text);
    if (t == fieldtext::yes()) ch->setChecked(true);
    else if (t == fieldtext::no()) ch->setChecked(false);
  } else if (auto* l = qobject_cast<QLabel*>(c)) {
    l->setText(text);
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(c)) {
    p->setPlainText(text);
  }
}

} // namespace screenkit
