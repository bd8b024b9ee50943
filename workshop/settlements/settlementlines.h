#pragma once
// The line grid of a settlement: the note lines with their labour rate, where typing a
// 工时单价 or a 工时 sets the line's 工时费 to their product (rounded to the cent, a half
// cent to the even cent) once both are there. A 工时费 typed by hand stays until the
// rate or the hours change again.

#include "shell/common/linemodel.h"

namespace workshop {

class SettlementLineModel : public shell::LineModel {
    Q_OBJECT
public:
    explicit SettlementLineModel(QObject *parent = nullptr);

    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
};

} // namespace workshop
