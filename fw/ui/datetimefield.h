#pragma once
// A date or time control that may be blank (no value) and shows its value in the display
// locale's date or time picture. Dialogs build it for the DateTime control kind.
#include "fw/core/locale.h"
#include "fw/ui/fw_ui_api.h"

#include <QDateTime>
#include <QDateTimeEdit>
#include <optional>
#include <string>

namespace fw {

// The pictures that date and time controls show (the d/M/y notation of LocaleInfo); until the
// program sets the user's locale, those of the interface language.
FW_UI_API void setDisplayLocale(const LocaleInfo& locale);
FW_UI_API const LocaleInfo& displayLocale();
// A d/M/y/H/h/m/s/tt picture in Qt's display-format notation.
FW_UI_API QString qtDateTimeFormat(const std::string& picture);

class FW_UI_API DateTimeField : public QDateTimeEdit {
    Q_OBJECT
public:
    enum class Kind { Date, Time };
    explicit DateTimeField(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    // Takes the current display locale's picture (controls built later take it themselves).
    void applyLocale(const LocaleInfo& locale);

    void setBlankAllowed(bool allowed);
    bool blankAllowed() const { return blankAllowed_; }
    bool isBlank() const { return blank_; }
    // Nothing makes the control blank (when allowed; otherwise the value is kept).
    void setValue(std::optional<QDateTime> value);
    std::optional<QDateTime> value() const;

signals:
    // The value changed, by code or by the user (also to and from blank).
    void valueChanged();

protected:
    QString textFromDateTime(const QDateTime& dt) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void stepBy(int steps) override;

private:
    void setBlank(bool blank);

    Kind kind_;
    bool blankAllowed_ = false;
    bool blank_ = false;
    QDateTime held_; // the value while the field is blank
};

} // namespace fw
