#pragma once

#include "core/rom/GameLayout.h"
#include "core/world/Ferryman.h"

#include "ui/editors/EditorWindow.h"

#include <array>
#include <string>

class QComboBox;
class QPushButton;

namespace quarry::ui {

// Game-wide settings that belong to no area (frmGlobalProp): the ferryman's
// item and his two texts. Choosing entries changes nothing by itself and
// closing writes nothing; "Apply" writes the three chosen values.
class GlobalProperties : public EditorWindow {
    Q_OBJECT

public:
    GlobalProperties(RomDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

    bool setUpFor(const session::LoadedArea* area) override;
    bool needsArea() const override { return false; }

    // Reads the three bytes and the texts again and fills the lists.
    void setupEditor();
    // Writes the chosen item and texts into their bytes.
    void apply();
    // What the lists show now.
    world::FerrymanSettings chosen() const;

    QComboBox* itemCombo() const { return item_; }    // cmbFerryObject
    QComboBox* textCombo() const { return text_; }    // cmbFerryTxt
    QComboBox* altTextCombo() const { return alt_; }  // cmbFerryTxt_Alt
    QPushButton* applyButton() const { return apply_; }
    const std::array<std::string, layout::kTextCount>& ferryTexts() const { return ferryTexts_; }

protected:
    // The texts or the settings changed: the lists show the image again.
    void imageChanged(const session::Change& change) override;

private:
    std::array<std::string, layout::kTextCount> ferryTexts_;
    QComboBox* item_ = nullptr;
    QComboBox* text_ = nullptr;
    QComboBox* alt_ = nullptr;
    QPushButton* apply_ = nullptr;
};

} // namespace quarry::ui
