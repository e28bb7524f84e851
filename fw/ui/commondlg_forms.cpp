// The font and page setup dialogs, built from templates like every other dialog.
#include "fw/core/gridprops.h"
#include "fw/core/resources.h"
#include "fw/ui/app.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/dialog.h"
#include "fw/ui/text.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <algorithm>

namespace fw {

namespace {

using K = ControlKind;

enum : uint32_t { kFace = 10, kSize = 11, kBold = 12, kItalic = 13, kSample = 14 };
enum : uint32_t { kLeft = 20, kTop = 21, kRight = 22, kBottom = 23, kPortrait = 24, kLandscape = 25,
                  kHeader = 26, kFooter = 27 };

constexpr ControlDef kFontControls[] = {
    { kStaticId, K::Label, 0, 0, "&Font:", "&Betűtípus:" },
    { kFace, K::ComboList, 0, 1, nullptr, nullptr, 1, 2, StyleSorted, 24 },
    { kStaticId, K::Label, 1, 0, "&Size:", "&Méret:" },
    { kSize, K::ComboEdit, 1, 1, nullptr, nullptr, 1, 1, StyleNone, 6, 2 },
    { kBold, K::CheckBox, 2, 1, "&Bold", "&Félkövér" },
    { kItalic, K::CheckBox, 2, 2, "&Italic", "&Dőlt" },
    { kSample, K::Label, 3, 0, "AaBbÁáŐőŰű 0123", "AaBbÁáŐőŰű 0123", 1, 3 },
    { kIdOk, K::DefaultButton, 4, 1, "OK", "OK" },
    { kIdCancel, K::Button, 4, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kPageControls[] = {
    { kStaticId, K::Label, 0, 0, "Margins in millimetres", "Margók milliméterben", 1, 4 },
    { kStaticId, K::Label, 1, 0, "&Left:", "&Bal:" },
    { kLeft, K::Edit, 1, 1, nullptr, nullptr, 1, 1, StyleRight, 5, 3 },
    { kStaticId, K::Label, 1, 2, "&Top:", "&Felső:" },
    { kTop, K::Edit, 1, 3, nullptr, nullptr, 1, 1, StyleRight, 5, 3 },
    { kStaticId, K::Label, 2, 0, "&Right:", "&Jobb:" },
    { kRight, K::Edit, 2, 1, nullptr, nullptr, 1, 1, StyleRight, 5, 3 },
    { kStaticId, K::Label, 2, 2, "B&ottom:", "&Alsó:" },
    { kBottom, K::Edit, 2, 3, nullptr, nullptr, 1, 1, StyleRight, 5, 3 },
    { kPortrait, K::RadioButton, 3, 0, "&Portrait", "Á&lló", 1, 2, StyleGroup },
    { kLandscape, K::RadioButton, 3, 2, "La&ndscape", "Fe&kvő", 1, 2 },
    { kStaticId, K::Label, 4, 0, "&Header:", "&Élőfej:" },
    { kHeader, K::Edit, 4, 1, nullptr, nullptr, 1, 3, StyleNone, 30, 255 },
    { kStaticId, K::Label, 5, 0, "&Footer:", "Élől&áb:" },
    { kFooter, K::Edit, 5, 1, nullptr, nullptr, 1, 3, StyleNone, 30, 255 },
    { kStaticId, K::Label, 6, 1, "&&p stands for the page number.", "A &&p helyére az oldalszám kerül.", 1, 3 },
    { kIdOk, K::DefaultButton, 7, 2, "OK", "OK" },
    { kIdCancel, K::Button, 7, 3, "Cancel", "Mégse" },
};

constexpr DialogTemplate kTemplates[] = {
    { kFontDialogId, "Font", "Betűtípus", kFontControls },
    { kPageSetupDialogId, "Page Setup", "Oldalbeállítás", kPageControls },
};

const ResourceSet kSet { "fw", {}, kTemplates };

const DialogTemplate& templateOf(uint32_t id)
{
    return *std::find_if(std::begin(kTemplates), std::end(kTemplates), [id](const DialogTemplate& t) { return t.id == id; });
}

class FontDialog : public Dialog {
public:
    explicit FontDialog(FontChoice choice, QWidget* parent) : Dialog(templateOf(kFontDialogId), parent), choice_(std::move(choice))
    {
        choice_.pointSize = std::clamp(choice_.pointSize, kMinFontPoints, kMaxFontPoints);
        commands().onNotify(kSize, Notify::Change, [this] { showSample(); });
        commands().onNotify(kSize, Notify::SelChange, [this] { showSample(); });
        commands().onNotify(kFace, Notify::SelChange, [this] { showSample(); });
        commands().onNotify(kBold, Notify::Clicked, [this] { showSample(); });
        commands().onNotify(kItalic, Notify::Clicked, [this] { showSample(); });
    }
    const FontChoice& choice() const { return choice_; }

    bool onInitDialog() override
    {
        setRedraw(kFace, false);
        for (const QString& family : QFontDatabase::families())
            if (!QFontDatabase::isPrivateFamily(family))
                addString(kFace, fromQt(family));
        setRedraw(kFace, true);
        for (int pt : { 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24 })
            addString(kSize, std::to_string(pt));
        return Dialog::onInitDialog();
    }

    void doDataExchange(DataExchange& dx) override
    {
        int face = findStringExact(kFace, -1, choice_.face);
        dx.listIndex(kFace, face);
        if (dx.saving() && face >= 0)
            choice_.face = itemString(kFace, face);
        dx.integer(kSize, choice_.pointSize, kMinFontPoints, kMaxFontPoints);
        int bold = choice_.bold, italic = choice_.italic;
        dx.check(kBold, bold);
        dx.check(kItalic, italic);
        choice_.bold = bold;
        choice_.italic = italic;
        if (!dx.saving())
            showSample();
    }

private:
    void showSample()
    {
        auto* sample = itemAs<QLabel>(kSample);
        if (!sample)
            return;
        int face = curSel(kFace);
        QFont f(toQt(face >= 0 ? itemString(kFace, face) : choice_.face));
        int pt = std::atoi(itemText(kSize).c_str());
        f.setPointSize(std::clamp(pt > 0 ? pt : choice_.pointSize, kMinFontPoints, kMaxFontPoints));
        f.setBold(isButtonChecked(kBold));
        f.setItalic(isButtonChecked(kItalic));
        sample->setFont(f);
    }

    FontChoice choice_;
};

class PageSetupDialog : public Dialog {
public:
    PageSetupDialog(const PageSetup& setup, QWidget* parent) : Dialog(templateOf(kPageSetupDialogId), parent), setup_(setup) {}
    const PageSetup& setup() const { return setup_; }

    void doDataExchange(DataExchange& dx) override
    {
        dx.integer(kLeft, setup_.marginLeft, 0, kMaxMargin);
        dx.integer(kTop, setup_.marginTop, 0, kMaxMargin);
        dx.integer(kRight, setup_.marginRight, 0, kMaxMargin);
        dx.integer(kBottom, setup_.marginBottom, 0, kMaxMargin);
        int orientation = setup_.landscape ? 1 : 0;
        dx.radio(kPortrait, orientation);
        setup_.landscape = orientation == 1;
        dx.text(kHeader, setup_.header, 255);
        dx.text(kFooter, setup_.footer, 255);
    }

private:
    PageSetup setup_;
};

FontDialogHook& fontHook()
{
    static FontDialogHook h;
    return h;
}

} // namespace

void setFontDialogHook(FontDialogHook hook)
{
    fontHook() = std::move(hook);
}

const ResourceSet& commonDialogResources()
{
    return kSet;
}

std::optional<FontChoice> chooseFont(const FontChoice& initial, QWidget* parent)
{
    App::ModalScope modal;
    if (fontHook())
        return fontHook()(initial);
    FontDialog dlg(initial, parent);
    if (dlg.doModal() != IDOK)
        return std::nullopt;
    return dlg.choice();
}

bool pageSetupDialog(PageSetup& setup, QWidget* parent)
{
    PageSetupDialog dlg(setup, parent);
    if (dlg.doModal() != IDOK)
        return false;
    setup = dlg.setup();
    return true;
}

} // namespace fw
