#pragma once

#include "core/generation/ItemList.h"

#include <QComboBox>

// The rows of a combo box as the list-file routines see them.
class ComboItems final : public ItemList
{
public:
    explicit ComboItems(QComboBox &combo) : m_combo(combo) {}

    int GetItemCount() const override { return m_combo.count(); }
    QString ItemText(int row, int column = 0) const override { return column == 0 ? m_combo.itemText(row) : QString(); }
    void clearItems() override { m_combo.clear(); }
    void appendItem() override { m_combo.addItem(QString()); }
    void setItemText(int row, QStringView text) override { m_combo.setItemText(row, text.toString()); }

private:
    QComboBox &m_combo;
};
