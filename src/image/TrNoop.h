// Marks a fixed text of the core that the editor shows translated. The core
// keeps the English text (the command-line tool prints it as it is); the
// translation tools collect every marked text under its context, and the
// editor looks it up with the same context where it shows it.
#pragma once

#define ORV_TR_NOOP(context, text) text
