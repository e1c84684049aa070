// How the grid paints: lines, the cells in view through DrawCell, the focus
// rectangle and the marks of a column or row being moved or sized.
#include "platform/ui/custom_grid.h"
#include "platform/ui/inplace_edit.h"
#include <QPaintEvent>
#include <algorithm>


void TCustomGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    paintRect_ = event->rect();
    painter.setClipRegion(event->region());
    canvas_.Begin(&painter);
    Paint();
    canvas_.End();
}

void TCustomGrid::Paint()
{
    const TGridAxis cols = ColAxis();
    const TGridAxis rows = RowAxis();
    const int right = cols.End();
    const int bottom = rows.End();
    const bool active = IsActiveControl();
    const TGridRect selection = Selection();
    const bool editorShown = editor_ && editor_->isVisible();

    // Beyond the last cell the grid shows its colour.
    canvas_.Brush.Color = color_;
    canvas_.Brush.Style = TBrushStyle::bsSolid;
    if (right < viewport()->width())
        canvas_.FillRect(QRect(right, 0, viewport()->width() - right, viewport()->height()));
    if (bottom < viewport()->height())
        canvas_.FillRect(QRect(0, bottom, right, viewport()->height() - bottom));
    PaintLines(QRect(0, 0, right, bottom));

    // The cells in view that meet the area being painted, fixed ones first.
    auto visible = [](const TGridAxis& axis, int from, int to) {
        std::vector<std::pair<int, int>> cells;   // index, start
        int pos = 0;
        auto add = [&](int i) {
            const int size = axis.Size(i);
            if (pos + size > from && pos < to)
                cells.emplace_back(i, pos);
            pos += size + axis.line;
        };
        for (int i = 0; i < std::min(axis.fixed, axis.count); ++i)
            add(i);
        for (int i = axis.first; i < axis.count && pos < axis.extent && pos < to; ++i)
            add(i);
        return cells;
    };
    const auto colCells = visible(cols, paintRect_.left(), paintRect_.right() + 1);
    const auto rowCells = visible(rows, paintRect_.top(), paintRect_.bottom() + 1);

    for (const auto& [row, y] : rowCells) {
        for (const auto& [col, x] : colCells) {
            const QRect rect(x, y, cols.Size(col), rows.Size(row));
            TGridDrawState state = 0;
            const bool fixed = col < fixedCols_ || row < fixedRows_;
            const bool focusCell = col == current_.X && row == current_.Y;
            if (fixed) {
                state |= gdFixed;
            } else {
                if (focusCell && active)
                    state |= gdFocused;
                if (selection.Contains(col, row)
                    && ((options_ & (goDrawFocusSelected | goRowSelect)) || !focusCell))
                    state |= gdSelected;
            }
            canvas_.Font.Assign(font_);
            canvas_.Brush.Style = TBrushStyle::bsSolid;
            canvas_.Brush.Color = fixed ? fixedColor_ : color_;
            if (defaultDrawing_) {
                if (state & gdSelected) {
                    canvas_.Brush.Color = clHighlight;
                    canvas_.Font.SetColor(clHighlightText);
                }
                canvas_.FillRect(rect);
            }
            DrawCell(col, row, rect, state);
            if (defaultDrawing_ && fixed && (options_ & (goFixedVertLine | goFixedHorzLine))) {
                // The raised edge of a fixed cell.
                canvas_.Pen.Color = clBtnHighlight;
                canvas_.MoveTo(rect.left(), rect.bottom());
                canvas_.LineTo(rect.left(), rect.top());
                canvas_.LineTo(rect.right() + 1, rect.top());
                canvas_.Pen.Color = clBtnShadow;
                canvas_.MoveTo(rect.right(), rect.top() + 1);
                canvas_.LineTo(rect.right(), rect.bottom());
                canvas_.LineTo(rect.left(), rect.bottom());
            }
        }
    }

    if (defaultDrawing_ && active && !editorShown && current_.X >= fixedCols_ && current_.Y >= fixedRows_) {
        const QRect focus = (options_ & goRowSelect)
                                ? BoxRect(fixedCols_, current_.Y, ColCount() - 1, current_.Y)
                                : CellRect(current_.X, current_.Y);
        canvas_.DrawFocusRect(focus);
    }
    PaintMoveAndSizeMarks();
}

void TCustomGrid::PaintLines(const QRect& area)
{
    const TGridAxis cols = ColAxis();
    const TGridAxis rows = RowAxis();
    const int fixedWidth = cols.FixedExtent();
    const int fixedHeight = rows.FixedExtent();
    const QColor fixedLine = ToQColor(clBlack);
    const QColor normalLine = ToQColor(clSilver);
    QPainter& p = *canvas_.Painter();
    p.setPen(Qt::NoPen);
    // Each line runs through fixed and scrollable cells; each part takes the
    // colour of the cells it belongs to, or their fill when its lines are off.
    auto lineColour = [&](bool fixed, TGridOption fixedOption, TGridOption normalOption) {
        if (fixed)
            return (options_ & fixedOption) ? fixedLine : ToQColor(fixedColor_);
        return (options_ & normalOption) ? normalLine : ToQColor(color_);
    };
    if (cols.line > 0) {
        int pos = 0;
        auto draw = [&](int i) {
            pos += cols.Size(i);
            const QRect line(pos, 0, cols.line, area.height());
            pos += cols.line;
            if (line.left() >= area.right() + 1)
                return;
            p.fillRect(QRect(line.left(), 0, line.width(), fixedHeight),
                       lineColour(true, goFixedVertLine, goVertLine));
            p.fillRect(QRect(line.left(), fixedHeight, line.width(), area.height() - fixedHeight),
                       lineColour(i < fixedCols_, goFixedVertLine, goVertLine));
        };
        for (int i = 0; i < std::min(cols.fixed, cols.count); ++i)
            draw(i);
        for (int i = cols.first; i < cols.count && pos < cols.extent; ++i)
            draw(i);
    }
    if (rows.line > 0) {
        int pos = 0;
        auto draw = [&](int i) {
            pos += rows.Size(i);
            const QRect line(0, pos, area.width(), rows.line);
            pos += rows.line;
            if (line.bottom() < paintRect_.top() || line.top() > paintRect_.bottom())
                return;
            p.fillRect(QRect(0, line.top(), fixedWidth, line.height()),
                       lineColour(true, goFixedHorzLine, goHorzLine));
            p.fillRect(QRect(fixedWidth, line.top(), area.width() - fixedWidth, line.height()),
                       lineColour(i < fixedRows_, goFixedHorzLine, goHorzLine));
        };
        for (int i = 0; i < std::min(rows.fixed, rows.count); ++i)
            draw(i);
        for (int i = rows.first; i < rows.count && pos < rows.extent && pos <= paintRect_.bottom(); ++i)
            draw(i);
    }
}

void TCustomGrid::PaintMoveAndSizeMarks()
{
    QPainter& p = *canvas_.Painter();
    switch (gridState_) {
    case TGridState::gsColSizing:
        p.fillRect(QRect(movePos_, 0, 1, viewport()->height()), Qt::black);
        break;
    case TGridState::gsRowSizing:
        p.fillRect(QRect(0, movePos_, viewport()->width(), 1), Qt::black);
        break;
    case TGridState::gsColMoving: {
        const QRect target = CellRect(movePos_, 0);
        if (!target.isEmpty() && movePos_ != moveIndex_) {
            const int x = movePos_ > moveIndex_ ? target.right() : target.left();
            p.fillRect(QRect(x - 1, 0, 3, viewport()->height()), Qt::black);
        }
        break;
    }
    case TGridState::gsRowMoving: {
        const QRect target = CellRect(0, movePos_);
        if (!target.isEmpty() && movePos_ != moveIndex_) {
            const int y = movePos_ > moveIndex_ ? target.bottom() : target.top();
            p.fillRect(QRect(0, y - 1, viewport()->width(), 3), Qt::black);
        }
        break;
    }
    default:
        break;
    }
}

void TCustomGrid::DrawCell(int, int, const QRect&, TGridDrawState) {}
