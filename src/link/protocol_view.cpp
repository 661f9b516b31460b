#include "link/protocol_view.h"

void ProtocolView::SetEnabled(bool on)
{
    if (enabled_ == on)
        return;
    enabled_ = on;
    emit EnabledChanged(on);
}

void ProtocolView::Append(const QString& line)
{
    if (!enabled_)
        return;
    if (lines_.size() >= MaxLines)
        lines_.removeFirst();
    lines_.append(line);
    emit LineAppended(line);
}

void ProtocolView::Clear()
{
    lines_.clear();
    emit Cleared();
}
