#include "recovery/recovery_offer.h"
#include "desk/desk.h"
#include "recovery/recovery_keeper.h"
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

KeptPage kept(const Document::Page& page) {
    return {page.picture, page.background, page.mode,   page.changed,
            page.file,    page.reference,  page.sprites};
}

// The page comes back with no history, counted as changed as the page shown is.
Document::Page page_from(const Desk& desk, const KeptPage& kept) {
    Document::Page page = desk.document().blank_page();
    page.picture = kept.pixels;
    page.background = kept.background;
    page.mode = kept.mode;
    page.file = kept.file;
    page.changed = true;
    page.reference = kept.reference;
    page.sprites = kept.sprites;
    return page;
}

} // namespace

RecoveryCopy picture_as_it_stands(const Desk& desk) {
    RecoveryCopy copy;
    static_cast<KeptPage&>(copy) = kept(desk.document().copy_page());
    copy.page_shown = std::uint8_t(desk.page_shown());
    if (desk.spare_page()) copy.spare = kept(*desk.spare_page());
    return copy;
}

namespace {

// A copy is kept just before its file is written: a time later than that (a minute allowed for
// coarse file times), before 1970 or past any calendar was never the copy's.
QDateTime kept_time(const RecoveryCopy& copy, const QDateTime& written) {
    const QDateTime kept = QDateTime::fromSecsSinceEpoch(copy.kept_at);
    const bool believable =
        copy.kept_at >= 0 && kept.isValid() && (!written.isValid() || kept <= written.addSecs(60));
    return believable ? kept : written;
}

// "at 14:32", with the day when it was not today; nothing where no time is known.
QString when_held(const QDateTime& kept) {
    if (!kept.isValid()) return {};
    QString when = QStringLiteral(" at ") + kept.toString(QStringLiteral("HH:mm"));
    if (kept.date() != QDate::currentDate())
        when += QStringLiteral(" on ") + kept.toString(QStringLiteral("yyyy-MM-dd"));
    return when;
}

// Names longer than this show their start and their end, so that the question fits a screen.
constexpr qsizetype kLongestNameShown = 60;

QString shown_name(const QString& name) {
    if (name.size() <= kLongestNameShown) return name;
    qsizetype head = kLongestNameShown * 2 / 3, tail = kLongestNameShown - head - 1;
    if (name[head].isLowSurrogate()) --head; // never half a character
    if (name[name.size() - tail].isLowSurrogate()) --tail;
    return name.left(head) + QStringLiteral("…") + name.right(tail);
}

} // namespace

QString recovery_question(const RecoveryCopy& copy, const QDateTime& written) {
    const QString name = shown_name(QFileInfo(QString::fromStdString(copy.file)).fileName());
    const QString state = name.isEmpty() ? QStringLiteral("never saved")
                          : copy.changed ? name + QStringLiteral(", changed since it was saved")
                                         : name + QStringLiteral(", as it was saved");
    const QString spare = copy.spare ? QStringLiteral(" and its spare page") : QString();
    return QStringLiteral("Vexlor was not closed properly. Recover the picture it held%1 (%2)%3?")
        .arg(when_held(kept_time(copy, written)), state, spare);
}

namespace {

enum class Answer : std::uint8_t { Recover, Discard, Later };

Answer ask(const AbandonedCopy& found, QWidget* parent) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vexlor"),
                    recovery_question(found.copy, QFileInfo(found.path).lastModified()),
                    QMessageBox::NoButton, parent);
    QPushButton* const recover = box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
    QPushButton* const discard =
        box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(recover);
    box.exec();
    if (box.clickedButton() == recover) return Answer::Recover;
    return box.clickedButton() == discard ? Answer::Discard : Answer::Later;
}

// Pixels, background, mode and sprites as one step; the picture belongs to the copy's file again
// but counts as changed, since that file does not hold it. Its reference image and the spare page
// come back with it.
void bring_back(Desk& desk, const RecoveryCopy& copy) {
    const PictureShape& shape = mode_of(copy.mode).shape;
    desk.replace_picture("Recover", {copy.pixels.data(), shape.width, shape.height},
                         copy.background, copy.mode, &copy.sprites);
    Document& document = desk.document();
    document.set_file(copy.file);
    document.mark_changed();
    document.set_reference(copy.reference);
    if (copy.spare) desk.set_spare_page(page_from(desk, *copy.spare), copy.page_shown);
}

} // namespace

bool offer_recovery(Desk& desk, QWidget* parent) {
    RecoveryKeeper* keeper = RecoveryKeeper::running();
    if (!keeper) return false;
    std::optional<AbandonedCopy> found = find_abandoned_copy(keeper->folder());
    if (!found) return false;
    const Answer answer = ask(*found, parent);
    if (answer == Answer::Later) return false;
    if (answer == Answer::Recover) {
        bring_back(desk, found->copy);
        keeper->picture_changed();
        keeper->write_now(); // this editor's copy holds it before the old one goes
    }
    QFile::remove(found->path);
    return answer == Answer::Recover;
}
