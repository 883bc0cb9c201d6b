#pragma once

// Records every property write on a form's controls, in order, as
// "labLeft(1).Caption=7", "cmdGo.Enabled=0", "shpReach(2).BackColor=C0FFFF".

#include "forms/controls.h"
#include "forms/form.h"

#include <QString>
#include <QStringList>

class WriteLog : public forms::ControlObserver {
public:
    explicit WriteLog(const forms::Form& form)
        : form_(form)
    {
        for (forms::Control* control : form.Controls())
            control->SetObserver(this);
    }
    ~WriteLog()
    {
        for (forms::Control* control : form_.Controls())
            control->SetObserver(nullptr);
    }
    WriteLog(const WriteLog&) = delete;
    WriteLog& operator=(const WriteLog&) = delete;

    QStringList writes;

    static QString NameOf(const forms::Control& control)
    {
        QString name = QString::fromStdString(control.Name);
        if (control.Index >= 0)
            name += QStringLiteral("(%1)").arg(control.Index);
        return name;
    }

    void PropertyChanged(forms::Control& control, forms::PropertyId which) override
    {
        QString entry = NameOf(control);
        switch (which) {
        case forms::PropertyId::Caption:
            if (auto* label = dynamic_cast<forms::Label*>(&control))
                entry += ".Caption=" + QString::fromStdString(label->Caption);
            else
                entry += ".Caption=" + QString::fromStdString(static_cast<forms::CommandButton&>(control).Caption);
            break;
        case forms::PropertyId::Enabled:
            entry += QStringLiteral(".Enabled=%1").arg(static_cast<forms::CommandButton&>(control).Enabled ? 1 : 0);
            break;
        case forms::PropertyId::BackColor:
            entry += ".BackColor="
                + QString::number(static_cast<forms::Shape&>(control).BackColor.Get(), 16).toUpper().rightJustified(6, '0');
            break;
        case forms::PropertyId::AccessibleName:
        case forms::PropertyId::AccessibleDescription:
            return; // what the window tells a screen reader, not the game's writes
        }
        writes << entry;
    }

private:
    const forms::Form& form_;
};
