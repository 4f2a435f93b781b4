#pragma once
// "Edit 3D Ground File": the modal editor of a .3D ground file, its grid of lateral cuts, the grid
// operations and the file commands.

#include <functional>
#include <memory>
#include <string>

#include "ground/logic/GroundCellRules.h"
#include "ground/logic/GroundFile.h"
#include "ground/logic/SavedState.h"
#include "platform/services/FileDialog.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TextBox.h"

namespace editors {
class TextBoxCellEditor;
}

// What the editor uses of the main window, which sets it before showing the editor.
struct Edit3DHost {
    // Whether the main window shows lengths in metres (its mnuUseSI check).
    std::function<bool()> useSI;
    // The main window's 3D file label.
    std::function<void(const std::string&)> showFileLabel;
    // The main window's common dialog; the editor's own when none is given.
    plat::CommonDialog* commonDialog = nullptr;
};

class frmEdit3D : public plat::Form {
public:
    frmEdit3D();
    ~frmEdit3D() override;

    // Client area in twips.
    static constexpr int kClientWidth = 7665;
    static constexpr int kClientHeight = 8040;

    void SetHost(Edit3DHost host) { host_ = std::move(host); }

    // Lets the user choose a 3D ground file and reads it (with ViewGroundSource 2, the file File3D
    // names, without a dialog). Unsaved changes are offered for saving first.
    void LoadFile();

    int NumX() const { return numX_; }
    int NumY() const { return numY_; }
    bool Saved() const { return saved_; }

    std::unique_ptr<plat::FlexGrid> grdGround;
    std::unique_ptr<plat::TextBox> txtData, txtNumY, txtNumX;
    std::unique_ptr<plat::Label> Label2, Label1, Label3;
    std::unique_ptr<plat::CommandButton> Command1, cmdInit, Command2;
    std::unique_ptr<plat::Label> Label6, Label8, Label9, Label5, Label4, Label7;
    std::unique_ptr<plat::TextBox> txtSetback, txtOffset, txtElevation, txtSB, txtOS, txtElev;
    std::unique_ptr<plat::CommandButton> Command3, cmdSaveAs, cmdSaveExit, cmdLoad, cmdExit, cmdFixX, cmdFixY,
        Command4;
    std::unique_ptr<plat::Label> Label13, Label11, Label12, Label10, Label14, Label16, lbl3DFile;
    plat::MenuItem* mnuNodes = nullptr;

private:
    void BuildControls();
    void BuildMenu();
    void Form_Load();

    bool UseSI() const;
    plat::CommonDialog& Dialog();
    void Apply(ground::GroundEvent event);
    void SetCounts(int numX, int numY);
    // The counts typed in the boxes; std::nullopt, with the message, when they disagree with the grid.
    std::optional<std::pair<int, int>> GridCounts();
    void ShowBadCell(ground::GridCell cell);

    void ClearGrid();
    bool ResizeGrid();
    void Translate();
    void Swap(bool nodes);
    void Paste2DTo3D();
    void InsertCut(bool after);
    void RemoveCut();
    void RemoveRow();

    // Reads the file into the grid when it is complete; otherwise tells why and changes nothing.
    bool ReadInto(const std::string& path);
    // Writes the grid to File3D; false, with the message, when it could not.
    bool WriteGrid();
    bool Save();
    bool SaveAs();
    // Offers to save unsaved changes; false when the user's save did not happen.
    bool SaveBeforeLeaving(const std::string& prompt);
    // Offers to save unsaved changes and passes the file label to the main window; false when the
    // window must stay open.
    bool Leave();
    void Exit();

    Edit3DHost host_;
    plat::CommonDialog ownDialog_;
    std::unique_ptr<editors::TextBoxCellEditor> editor_;
    std::unique_ptr<ground::GroundCellRules> rules_;
    int numX_ = 10;
    int numY_ = 20;
    bool saved_ = false;
    // The remembered file when the window's load refused it: a save asks before replacing it.
    std::string unreadFile_;
    // Set once "Exit" has decided to close, so that the unload asks nothing more.
    bool leaving_ = false;
};

// The editor window, created on first use.
frmEdit3D& frmEdit3D();
// Whether the editor window is loaded now (creates nothing).
bool Edit3DLoaded();
