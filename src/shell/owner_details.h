#pragma once
// Who publishes this program and how to reach them, as the about box and the
// disclaimer show it.

#include <QString>

namespace grossby {

inline QString ownerName()
{
    return QStringLiteral("Grossby Tax Tools");
}
inline QString ownerEmail()
{
    return QStringLiteral("support@grossby.example.org");
}
inline QString ownerWebsite()
{
    return QStringLiteral("https://grossby.example.org/");
}

}  // namespace grossby
