#pragma once

#include <QString>
#include <QStringView>

// What the list-file routines and the generator need of a list or combo box:
// rows numbered from 0, each with the text of its first column.
class ItemList
{
public:
    virtual ~ItemList() = default;

    virtual int GetItemCount() const = 0;
    // Column 0 is the only column these lists hold; other columns are empty.
    virtual QString ItemText(int row, int column = 0) const = 0;
    virtual void clearItems() = 0;
    // Appends an empty row at the end.
    virtual void appendItem() = 0;
    virtual void setItemText(int row, QStringView text) = 0;
};
