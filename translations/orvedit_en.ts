<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AlignCalc</name>
    <message>
        <source>Unable to calculate Pull Gain.<byte value="xd"/>Please re-check frequencies.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to calculate Reference Oscillator Adjustment.<byte value="xd"/>Please re-check frequencies.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to calculate VCO Modulation Adjustment.<byte value="xd"/>Please re-check reading.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppState</name>
    <message>
        <source>Version %1.%2.%3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BackupCommands</name>
    <message>
        <source>No backup could be kept of this radio&apos;s programming:<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unsaved programming could not be kept as a backup:<byte value="xd"/>%1<byte value="xd"/>ORVEDIT stays open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The programming that was not saved when ORVEDIT last closed was kept as a backup:<byte value="xd"/>%1<byte value="xd"/>File &gt; Open Backup... opens it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChannelCsv</name>
    <message>
        <source>rows placed by their Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not imported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fits</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChannelCsvCommands</name>
    <message>
        <source>Export Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group on screen holds a value that cannot be stored.<byte value="xd"/>The channels were not exported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1 cannot be exported:<byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group on screen holds a value that cannot be stored.<byte value="xd"/>The channels were not imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not imported; nothing was changed.<byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandGuard</name>
    <message>
        <source>unknown error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The command could not be completed:<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FieldLists</name>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ch %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7 Segment Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alpha-Numeric</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key Press</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 Sec On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 Sec On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3 Sec On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4 Sec On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 Sec On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6 Sec On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Override</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lockout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DTMF Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANI Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DTMF w/ manual ANI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inhibit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left Toggle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Middle Toggle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right Toggle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FieldRules</name>
    <message>
        <source>a frequency is a decimal number in MHz, or &quot;&quot;, &quot;0&quot; or &quot;000.00&quot; for none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a digital code is D and three octal digits (0 to 7), with - when inverted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a tone is at most three digits before the point, in hertz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a tone has at most one decimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a tone is below 800.0 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at most 8 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only the digits 0 to 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too many digits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not on the 2.5 or 6.25 kHz raster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outside 136 to 174 MHz</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileOpenSave</name>
    <message>
        <source>File Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORV (*.orv) (*.orv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency (*.frq) (*.frq)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All (*.*) (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.<byte value="xd"/>Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard the unsaved changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 no longer exists.<byte value="xd"/>It was removed from the recent files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group on screen holds a value that cannot be stored.<byte value="xd"/>The file was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/>The file was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORV File - %1   ORV Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Number %1!<byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Access Error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opening %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file does not look like an ORV programming (%1 of %2 channels hold values the radio cannot use)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is the programming&apos;s own file %2.<byte value="xd"/>Choose another name; nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JobText</name>
    <message>
        <source>Radio matches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to write to the radio?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio already holds this programming.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LinkHost</name>
    <message>
        <source>Writing tuning data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restoring radio data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COMM ERROR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DOWNLOAD ERROR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download Failed.  Cycle Radio power before Retrying</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download Failed. Cycle Radio Power before Retrying.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Hooking to Radio.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reading radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORV Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error writing radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORV Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading ORV Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading ORV Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading ORV Global</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing ORV Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing ORV Global</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing ORV Group</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ORVCore</name>
    <message>
        <source>Transmit high power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmit low power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reference Osc. voltage sens.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reference Osc. frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmit deviation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receiver front end tuning gain</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtHost</name>
    <message>
        <source>The settings file %1 cannot be used: it is %2, not a regular file.<byte value="xd"/>ORVEDIT runs with its default settings and keeps no settings until it is removed or replaced by a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RadioCommands</name>
    <message>
        <source>Verify Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Wait - Verifying Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Wait - Writing Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Wait - Reading Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Global Parameters?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no serial trace yet: no radio exchange has run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Serial Trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text (*.txt) (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All (*.*) (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RadioJob</name>
    <message>
        <source>Write Group Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Global Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>writing the radio failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPrinting</name>
    <message>
        <source>The report could not be saved.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer is installed on this computer.
Save the report as a PDF file instead?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be saved as %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed: no output file was chosen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed: no temporary file could be made (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed to %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the output failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed on %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The print job on %1 was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed on %1: the printer reported an error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be shown.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report was not printed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF written to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report printed on %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TransferProgress</name>
    <message>
        <source>%1/%2 bytes  %3 B/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1/%2 bytes  %3 B/s  %4 left</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>ORVEDIT could not start:<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::AlignCalcDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORV Alignment</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::ChannelCsvCommands</name>
    <message>
        <source>Group %1 was not exported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported group %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was imported from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported %1 channel rows from %2 into group %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::EditorSession</name>
    <message>
        <source>The help file cannot be found beside the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global Parameters</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::WholeRadioCommands</name>
    <message>
        <source>Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found in group %1, channel %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set %1 of 1 Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set %1 of %2 Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift Frequencies of 1 Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift Frequencies of %1 Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 fields changed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmAbout</name>
    <message>
        <source>About ORVEDIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reads, edits, saves and writes the programming of ORV series radios.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmAllChannels</name>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a text, or a frequency range such as 150-155</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Duplicates only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels with the same receive frequency and code guard as another</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Field...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift Frequencies...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit %1 of Group %2 Ch %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rec Freq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rec CG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx Freq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx CG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ch Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Narrow Band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SCAN List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Label</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmBulkEdit</name>
    <message>
        <source>Set Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift Frequencies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 selected channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 selected channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A frequency, a code guard or a label as typed into the grid; 1 or 0 for a flag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added to each frequency: 12.5 up, -25 down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset (kHz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receive frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmit frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was changed; these channels would be refused:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmChanges</name>
    <message>
        <source>Global parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What Will Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The write changes 1 value in the radio:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The write changes %1 values in the radio:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In the radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (not written by a radio write)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmCheckPort</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What to do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Findings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check &amp;Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Port %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing found that keeps %1 from working.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Something keeps %1 from working: see the problems and what to do.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmChooseDevice</name>
    <message>
        <source>Choose Device for Comm Port %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No serial ports were found. Type the device&apos;s path below.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Serial ports found:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stable name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>May open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial ports found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Device:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You may open this device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot open this device: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmCompare</name>
    <message>
        <source>Compare with File  -  ORV Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double-click a row to show its group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No differences: both hold the same programming.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 difference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 differences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group on screen holds a value that cannot be stored.<byte value="xd"/>Nothing was compared.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare with File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the editor&apos;s programming</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the editor&apos;s programming (last saved or opened as %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Differences</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmCsvPreview</name>
    <message>
        <source>Import Channels - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As in the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What happens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmFind</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code Guard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Look for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find what</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmFleet</name>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Verify each radio after writing it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program Fleet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every radio gets the programming on screen; with a roster, each radio gets the next row (unit, ID, password, labels) not yet written and verified.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none: the same programming for every radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Roster:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rosters (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ports (tick the radios to write):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comm Port %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tick the ports of the radios to write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The roster cannot be used:<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 rows of the roster are not yet written and verified, for %2 radios.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n radio(s) done.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2 radios failed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmGlobals</name>
    <message>
        <source>Group &apos;0&apos; Globals  -  ORV Editor   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global Variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DTMF FM Deviation in Hz:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Front Porch Time in Milliseconds:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANI Rate in Chars/Second:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority Rate in seconds:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global Battery Saver:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display Frequencies Only:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Per Channel Power Selection:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Talk Back Scan:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nuisance Channel Delete:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select value from list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle Switch Assignments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low Power:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel Scan:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority Scan:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeater Talk Around:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Scan:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotary Switch Assignments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A checked box indicates the assignment is variable from the keypad.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global Group:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global Channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Settings And Close Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Window Without Saving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Settings Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Global Parameters?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position %1 Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position %1 Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position %1 Group Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position %1 Channel Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global Parameters</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmGroups</name>
    <message>
        <source>ORVEDIT  -  ORV Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rec Freq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rec CG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx Freq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx CG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ch Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save before exit?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the frequency offset, eg: -2, 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sa&amp;ve As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Backup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Last Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Blank Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print Displayed ORV Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Set&amp;up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Previe&amp;w</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Global Information from Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Group from Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Global Information To Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Current Group to Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Current Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Current Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy a row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Comm Port %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Device...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About ORVEDIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Serial &amp;Trace...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Compare with File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export C&amp;hannels...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import Channels...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In use: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comm Port %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No record has been selected to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Group:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass Word:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANI/ID Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx Time Out Timer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan Hold Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Scan List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Narrow Band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SCAN List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back Light:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dual Priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority 1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority 2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmit on Priority 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery Saver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Code Guard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chan:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encode Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Lockouts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;ENT&apos;/&apos;CLR&apos; Key Lockout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority Key Lockout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Busy Channel Indicator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resident ANI/DTMF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ch %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tune</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Comm-Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moved group %1 to position %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing moved: the positions are the same or not numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing moved: a position is 1 to 15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing moved: the group on screen holds a value that cannot be stored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1 on screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program &amp;Fleet...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio &amp;Log...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Port...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept in the programming file only: a radio write never sends this field (not written by a radio write), so the radio keeps its own value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Channels...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Field...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift Frequencies...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Last Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Default Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Blank Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Group %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy %1 to %2 in All Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste %1 Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmHelp</name>
    <message>
        <source>ORVEDIT Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the words to find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmMove</name>
    <message>
        <source>Move Banks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From Bank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To Bank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmProc</name>
    <message>
        <source>ORV Processing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning:<byte value="xd"/>Cancelling a write operation may leave the radio in an unpredictable state.<byte value="xd"/>Are you sure you want to cancel?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmPullGain</name>
    <message>
        <source>Reference Oscillator Voltage Sensitivity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the measured frequency from channel 13, in MHz.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the measured frequency from channel 14, in MHz.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmRadioLog</name>
    <message>
        <source>&amp;Open Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the entries that contain...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmRefOsc</name>
    <message>
        <source>Reference Oscillator Frequency Adjust</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the measured frequency from channel 13, in MHz.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmSplash</name>
    <message>
        <source>for Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for macOS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for Windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORV Editor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmSysInfo</name>
    <message>
        <source>Operating system: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kernel: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt version: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Serial devices:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  (none found)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  %1  owner %2, group %3  -  %4
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>can be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no access (ask to be added to group %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  %1  -  %2
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmTune</name>
    <message>
        <source>ORV Alignment Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning:  This utility has made certain modifications to the radio channel data.  The original frequencies will be restored when this window is closed.  Do not disconnect the radio without closing this window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to restore original frequencies to radio. Do you still wan&apos;t to quit alignment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORV Alignment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio tuning requires special test procedures<byte value="xd"/>and should be performed only by a qualified service<byte value="xd"/>technician with the proper equipment.<byte value="xd"/><byte value="xd"/>-----------See Service Manual-----------<byte value="xd"/>            Press OK to continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tune Radio:  Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to contact radio.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reading radio.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORVEdit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmVCOMod</name>
    <message>
        <source>Transmit Deviation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the measured deviation from channel 1, in KHz.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orv::frmVerify</name>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio differs from the editor in 1 place:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio differs from the editor in %1 places:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Differences</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
