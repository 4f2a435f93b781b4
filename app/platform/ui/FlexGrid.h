#ifndef PLATFORM_UI_FLEXGRID_H
#define PLATFORM_UI_FLEXGRID_H

#include <functional>
#include <string>

#include "platform/grid/GridModel.h"
#include "platform/ui/Control.h"

namespace plat {

class GridView;

// The flexible grid control: a GridModel (cells, layout, current cell and selection, EnterCell,
// Redraw) shown on screen. The control paints the model, scrolls it, and turns the user's clicks,
// drags and arrow keys into moves of the model's current cell and selection; the windows' grid
// logic works on the model alone.
class FlexGrid : public GridModel, public Control {
public:
    FlexGrid(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "MSFlexGrid"; }

    // The current cell's place in twips, relative to the grid's own left and top, as it is
    // scrolled now (a window adds the grid's Left and Top to float an editor over the cell).
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;

    std::function<void()> Click;
    // Mouse button released over the grid: button 1 left, 2 right, 4 middle; x, y in twips.
    std::function<void(int button, int shift, int x, int y)> MouseUp;

private:
    friend class GridView;
    GridView* View() const;
    void ShowChange(GridChange change);
    int ColWidthPixels(int col) const;
    int RowHeightPixels(int row) const;
    int ColX(int col) const;
    int RowY(int row) const;
    void EnsureVisible(int row, int col);
    void UpdateScrollBars();
};

} // namespace plat

#endif
