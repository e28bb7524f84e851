#include "fw/ui/datetimefield.h"

#include "fw/core/strings.h"

#include <QKeyEvent>
#include <QLocale>
#include <QLineEdit>

namespace fw {

namespace {
std::optional<LocaleInfo>& chosen()
{
    static std::optional<LocaleInfo> locale;
    return locale;
}

// A picture with an AM/PM mark shows it only in a language that tells the time that way; a
// 12-hour "10:15:00" without it would be read as the wrong half of the day.
bool usesAmPm(const QLocale& locale)
{
    return locale.timeFormat(QLocale::ShortFormat).contains(QLatin1Char('A'), Qt::CaseInsensitive);
}
} // namespace

void setDisplayLocale(const LocaleInfo& locale)
{
    chosen() = locale;
}

const LocaleInfo& displayLocale()
{
    if (chosen())
        return *chosen();
    static const LocaleInfo english = englishLocale();
    static const LocaleInfo hungarian = hungarianLocale();
    return language() == Language::Hungarian ? hungarian : english;
}

QString qtDateTimeFormat(const std::string& picture)
{
    // Both notations share d, M, y, H, h, m, s and quoted literals; the AM/PM mark is "tt" (or
    // "t" for its first letter) here and "AP" (or "A") there.
    QString out;
    bool quoted = false;
    for (size_t i = 0; i < picture.size(); ++i) {
        char c = picture[i];
        if (c == '\'')
            quoted = !quoted;
        if (!quoted && c == 't') {
            bool two = i + 1 < picture.size() && picture[i + 1] == 't';
            out += two ? QStringLiteral("AP") : QStringLiteral("A");
            i += two ? 1 : 0;
            continue;
        }
        out += QChar::fromLatin1(c);
    }
    return out;
}

DateTimeField::DateTimeField(Kind kind, QWidget* parent) : QDateTimeEdit(parent), kind_(kind)
{
    setDateTime(QDateTime(QDate::currentDate(), kind == Kind::Time ? QTime::currentTime() : QTime(0, 0)));
    applyLocale(displayLocale());
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!blank_)
            emit valueChanged();
    });
}

void DateTimeField::applyLocale(const LocaleInfo& locale)
{
    const QLocale qt(locale.languageId == kLangHungarian ? QLocale::Hungarian : QLocale::English,
        locale.languageId == kLangHungarian ? QLocale::Hungary : QLocale::UnitedStates);
    setLocale(qt);
    std::string picture = kind_ == Kind::Time ? locale.timeFormat : locale.shortDate;
    if (!usesAmPm(qt))
        picture = twentyFourHourPicture(picture);
    setDisplayFormat(qtDateTimeFormat(picture));
}

void DateTimeField::setBlankAllowed(bool allowed)
{
    blankAllowed_ = allowed;
    if (!allowed)
        setBlank(false);
}

void DateTimeField::setBlank(bool blank)
{
    if (blank == blank_)
        return;
    // While the field shows nothing the spin box may read its empty text as some other moment;
    // the value it held comes back when the field is filled again.
    if (blank)
        held_ = dateTime();
    else
        setDateTime(held_); // still blank here, so this is not reported on its own
    blank_ = blank;
    lineEdit()->setText(textFromDateTime(dateTime()));
    emit valueChanged();
}

void DateTimeField::setValue(std::optional<QDateTime> value)
{
    if (!value) {
        if (blankAllowed_)
            setBlank(true);
        return;
    }
    if (blank_) {
        held_ = *value;
        setBlank(false); // one change, also back to the moment it held before
        return;
    }
    setDateTime(*value);
}

std::optional<QDateTime> DateTimeField::value() const
{
    if (blank_)
        return std::nullopt;
    return dateTime();
}

QString DateTimeField::textFromDateTime(const QDateTime& dt) const
{
    return blank_ ? QString() : QDateTimeEdit::textFromDateTime(dt);
}

QValidator::State DateTimeField::validate(QString& input, int& pos) const
{
    if (blank_ && input.isEmpty())
        return QValidator::Acceptable;
    return QDateTimeEdit::validate(input, pos);
}

void DateTimeField::keyPressEvent(QKeyEvent* event)
{
    // Delete or Backspace empties a control that may be blank; any other key brings the value
    // back first, so typing and stepping work on a real date or time.
    if (blankAllowed_ && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        setBlank(true);
        return;
    }
    if (blank_)
        setBlank(false);
    QDateTimeEdit::keyPressEvent(event);
}

void DateTimeField::stepBy(int steps)
{
    if (blank_) {
        setBlank(false);
        return;
    }
    QDateTimeEdit::stepBy(steps);
}

} // namespace fw
