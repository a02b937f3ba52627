// What the configuration editors need from outside, handed in by the program entry.
#pragma once

#include <QString>

class Clock;
class Dialogs;
class ServerExchange;
class Tw;

// The references must outlive the editors.
struct EditorServices
{
    ServerExchange &server;
    const Tw &w;
    Dialogs &dialogs;
    const Clock &clock; // the date and time printed in the footer of the printouts
};

// True when the service value `name` under "Forma\" is exactly "true". Nothing in the client
// writes these values; a value of the wrong kind is reported as an error and counts as not set.
bool serviceSettingOn(const EditorServices &services, const QString &name);
