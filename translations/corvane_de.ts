<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CorvaneRootView</name>
    <message>
        <source>Find a shortcut…</source>
        <translation>Tastenkürzel suchen …</translation>
    </message>
    <message>
        <source>Search shortcuts</source>
        <translation>Tastenkürzel durchsuchen</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <comment>a program in a terminal or multiplexer</comment>
        <translation>%1 in %2</translation>
    </message>
</context>
<context>
    <name>EmptyStateView</name>
    <message>
        <source>No matching shortcuts</source>
        <translation>Keine passenden Tastenkürzel</translation>
    </message>
    <message>
        <source>No shortcuts available</source>
        <translation>Keine Tastenkürzel verfügbar</translation>
    </message>
</context>
<context>
    <name>ExtensionStateView</name>
    <message>
        <source>Turn On</source>
        <translation>Einschalten</translation>
    </message>
    <message>
        <source>GNOME Shell has not said whether Corvane&apos;s extension runs.</source>
        <translation>GNOME Shell hat nicht mitgeteilt, ob die Erweiterung von Corvane läuft.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is not installed: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>Die GNOME-Shell-Erweiterung von Corvane ist nicht installiert: Die Leiste kann nicht erkennen, welche Anwendung Sie verwenden, und GNOME legt ihre Position fest.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is installed. Log out and back in to start it.</source>
        <translation>Die GNOME-Shell-Erweiterung von Corvane ist installiert. Melden Sie sich ab und wieder an, um sie zu starten.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is off: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>Die GNOME-Shell-Erweiterung von Corvane ist ausgeschaltet: Die Leiste kann nicht erkennen, welche Anwendung Sie verwenden, und GNOME legt ihre Position fest.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is on.</source>
        <translation>Die GNOME-Shell-Erweiterung von Corvane ist eingeschaltet.</translation>
    </message>
    <message>
        <source>GNOME Shell could not run Corvane&apos;s extension. The Extensions app shows why.</source>
        <translation>GNOME Shell konnte die Erweiterung von Corvane nicht ausführen. Die Anwendung »Erweiterungen« zeigt den Grund.</translation>
    </message>
</context>
<context>
    <name>HotKeyDesktopNote</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Bind this command to a key in its keyboard settings:</source>
        <translation>Diese Arbeitsumgebung erlaubt keinem Programm, eine globale Taste zu belegen. Weisen Sie diesen Befehl in ihren Tastatureinstellungen einer Taste zu:</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Add this line to its configuration:</source>
        <translation>Diese Arbeitsumgebung erlaubt keinem Programm, eine globale Taste zu belegen. Fügen Sie diese Zeile zu ihrer Konfiguration hinzu:</translation>
    </message>
    <message>
        <source>(%1 is already %2 there: record another key first.)</source>
        <translation>(%1 ist dort bereits %2: Nehmen Sie zuerst eine andere Taste auf.)</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane; it has not said which keys it bound yet.</source>
        <translation>Ihre Arbeitsumgebung führt dieses Tastenkürzel für Corvane aus; sie hat noch nicht mitgeteilt, welche Tasten sie belegt hat.</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane: %1</source>
        <translation>Ihre Arbeitsumgebung führt dieses Tastenkürzel für Corvane aus: %1</translation>
    </message>
    <message>
        <source>GNOME runs this shortcut for Corvane (Settings → Keyboard → Custom Shortcuts).</source>
        <translation>GNOME führt dieses Tastenkürzel für Corvane aus (Einstellungen → Tastatur → Eigene Tastenkürzel).</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorder</name>
    <message>
        <source>Shift with %1 would type nothing in any other application. Add Ctrl, Alt or Super.</source>
        <translation>Umschalt mit %1 würde in keiner anderen Anwendung mehr etwas schreiben. Fügen Sie Strg, Alt oder Super hinzu.</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorderView</name>
    <message>
        <source>Click, then press the new combination (Esc cancels)</source>
        <translation>Klicken Sie und drücken Sie dann die neue Tastenkombination (Esc bricht ab)</translation>
    </message>
    <message>
        <source>Press keys…</source>
        <translation>Tasten drücken …</translation>
    </message>
    <message>
        <source>Current shortcut: %1</source>
        <translation>Aktuelles Tastenkürzel: %1</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt, Shift or Super with the key.</source>
        <translation>Halten Sie Strg, Alt, Umschalt oder Super zusammen mit der Taste gedrückt.</translation>
    </message>
    <message>
        <source>This key cannot be the hot key; try another.</source>
        <translation>Diese Taste kann nicht das Tastenkürzel zum Öffnen sein; versuchen Sie eine andere.</translation>
    </message>
</context>
<context>
    <name>JsonDefaultsStore</name>
    <message>
        <source>Corvane could not save its settings to %1: %2. Your changes are kept while Corvane runs.</source>
        <translation>Corvane konnte seine Einstellungen nicht in %1 speichern: %2. Ihre Änderungen bleiben erhalten, solange Corvane läuft.</translation>
    </message>
</context>
<context>
    <name>KeyCapView</name>
    <message>
        <source>then</source>
        <translation>dann</translation>
    </message>
</context>
<context>
    <name>KeyLabels</name>
    <message>
        <source>Click</source>
        <translation>Klick</translation>
    </message>
    <message>
        <source>Right-click</source>
        <translation>Rechtsklick</translation>
    </message>
    <message>
        <source>Middle-click</source>
        <translation>Mittelklick</translation>
    </message>
    <message>
        <source>Double-click</source>
        <translation>Doppelklick</translation>
    </message>
    <message>
        <source>Triple-click</source>
        <translation>Dreifachklick</translation>
    </message>
    <message>
        <source>Drag</source>
        <translation>Ziehen</translation>
    </message>
    <message>
        <source>Right-drag</source>
        <translation>Mit rechter Taste ziehen</translation>
    </message>
    <message>
        <source>Middle-drag</source>
        <translation>Mit mittlerer Taste ziehen</translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation>Scrollen</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Nach oben scrollen</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Nach unten scrollen</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Strg</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Umschalt</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Cmd</source>
        <translation>Cmd</translation>
    </message>
    <message>
        <source>Fn</source>
        <translation>Fn</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Rücktaste</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Entf</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Leertaste</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Feststelltaste</translation>
    </message>
    <message>
        <source>PgUp</source>
        <translation>Bild↑</translation>
    </message>
    <message>
        <source>PgDn</source>
        <translation>Bild↓</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Pos1</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Ins</source>
        <translation>Einfg</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Druck</translation>
    </message>
    <message>
        <source>SysRq</source>
        <translation>S-Abf</translation>
    </message>
    <message>
        <source>Scroll Lock</source>
        <translation>Rollen</translation>
    </message>
    <message>
        <source>Num Lock</source>
        <translation>Num</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Lautstärke erhöhen</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Lautstärke senken</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm schalten</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Wiedergabe/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>Nächster Titel</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>Vorheriger Titel</translation>
    </message>
    <message>
        <source>Brightness Up</source>
        <translation>Helligkeit erhöhen</translation>
    </message>
    <message>
        <source>Brightness Down</source>
        <translation>Helligkeit senken</translation>
    </message>
    <message>
        <source>Num +</source>
        <translation>Num +</translation>
    </message>
    <message>
        <source>Num −</source>
        <translation>Num −</translation>
    </message>
    <message>
        <source>Num *</source>
        <translation>Num *</translation>
    </message>
    <message>
        <source>Num /</source>
        <translation>Num /</translation>
    </message>
    <message>
        <source>Num .</source>
        <translation>Num .</translation>
    </message>
    <message>
        <source>Num Enter</source>
        <translation>Num Eingabe</translation>
    </message>
    <message>
        <source>Num =</source>
        <translation>Num =</translation>
    </message>
    <message>
        <source>Num Up</source>
        <translation>Num Hoch</translation>
    </message>
    <message>
        <source>Num Down</source>
        <translation>Num Runter</translation>
    </message>
    <message>
        <source>Num Left</source>
        <translation>Num Links</translation>
    </message>
    <message>
        <source>Num Right</source>
        <translation>Num Rechts</translation>
    </message>
    <message>
        <source>Num Home</source>
        <translation>Num Pos1</translation>
    </message>
    <message>
        <source>Num End</source>
        <translation>Num Ende</translation>
    </message>
    <message>
        <source>Num PgUp</source>
        <translation>Num Bild↑</translation>
    </message>
    <message>
        <source>Num PgDn</source>
        <translation>Num Bild↓</translation>
    </message>
    <message>
        <source>Num Ins</source>
        <translation>Num Einfg</translation>
    </message>
    <message>
        <source>Num Del</source>
        <translation>Num Entf</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Runter</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Minus</source>
        <translation>Minus</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>, then </source>
        <comment>between the chords of a key sequence read aloud</comment>
        <translation>, dann </translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>previous, next shortcut</source>
        <translation>vorheriges, nächstes Tastenkürzel</translation>
    </message>
    <message>
        <source>a page up, down</source>
        <translation>eine Seite nach oben, unten</translation>
    </message>
    <message>
        <source>first, last shortcut</source>
        <translation>erstes, letztes Tastenkürzel</translation>
    </message>
    <message>
        <source>mark or unmark a favorite</source>
        <translation>als Favorit markieren oder Markierung aufheben</translation>
    </message>
    <message>
        <source>fold the selected shortcut&apos;s application</source>
        <translation>Anwendung des gewählten Tastenkürzels einklappen</translation>
    </message>
    <message>
        <source>unfold every application</source>
        <translation>alle Anwendungen ausklappen</translation>
    </message>
    <message>
        <source>close</source>
        <translation>schließen</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n Tastenkürzel</numerusform>
            <numerusform>%n Tastenkürzel</numerusform>
        </translation>
    </message>
    <message>
        <source>navigate</source>
        <translation>navigieren</translation>
    </message>
    <message>
        <source>page</source>
        <translation>blättern</translation>
    </message>
    <message>
        <source>favorite</source>
        <translation>Favorit</translation>
    </message>
    <message>
        <source>collapse</source>
        <translation>einklappen</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show or hide the shortcut panel</source>
        <translation>Tastenkürzel-Leiste anzeigen oder verbergen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>1 shortcut</source>
        <translation>1 Tastenkürzel</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n Tastenkürzel</numerusform>
            <numerusform>%n Tastenkürzel</numerusform>
        </translation>
    </message>
    <message>
        <source>the application in front</source>
        <translation>die Anwendung im Vordergrund</translation>
    </message>
    <message>
        <source>favourite</source>
        <translation>Favorit</translation>
    </message>
    <message>
        <source>Corvane Settings</source>
        <translation>Corvane-Einstellungen</translation>
    </message>
</context>
<context>
    <name>SectionHeaderView</name>
    <message>
        <source>Show shortcuts</source>
        <translation>Tastenkürzel anzeigen</translation>
    </message>
    <message>
        <source>Hide shortcuts</source>
        <translation>Tastenkürzel verbergen</translation>
    </message>
    <message>
        <source>ACTIVE</source>
        <translation>AKTIV</translation>
    </message>
    <message>
        <source>from the application</source>
        <translation>von der Anwendung</translation>
    </message>
</context>
<context>
    <name>SectionListView</name>
    <message>
        <source>No shortcuts for %1 yet</source>
        <translation>Noch keine Tastenkürzel für %1</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Shortcut data: Corvane Shortcut Data, licensed under CC BY-SA 4.0, © 2026 The Corvane developers.</source>
        <translation>Tastenkürzel-Daten: Corvane Shortcut Data, lizenziert unter CC BY-SA 4.0, © 2026 Die Corvane-Entwickler.</translation>
    </message>
    <message>
        <source>Activation</source>
        <translation>Aktivierung</translation>
    </message>
    <message>
        <source>Trigger shortcut</source>
        <translation>Tastenkürzel zum Öffnen</translation>
    </message>
    <message>
        <source>Press this shortcut from any app to open Corvane.</source>
        <translation>Drücken Sie dieses Tastenkürzel in einer beliebigen Anwendung, um Corvane zu öffnen.</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>Akzentfarbe</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>Wörter</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>Symbole</translation>
    </message>
    <message>
        <source>Key labels</source>
        <translation>Tastenbeschriftung</translation>
    </message>
    <message>
        <source>Apps</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>When on, apps you don&apos;t have installed are hidden from the list.</source>
        <translation>Wenn eingeschaltet, werden nicht installierte Anwendungen in der Liste ausgeblendet.</translation>
    </message>
    <message>
        <source>Read shortcuts from installed applications</source>
        <translation>Tastenkürzel aus installierten Anwendungen lesen</translation>
    </message>
    <message>
        <source>Change…</source>
        <translation>Ändern …</translation>
    </message>
    <message>
        <source>Only show apps installed on this Mac</source>
        <translation>Nur auf diesem Mac installierte Anwendungen anzeigen</translation>
    </message>
    <message>
        <source>Only show apps installed on this computer</source>
        <translation>Nur auf diesem Rechner installierte Anwendungen anzeigen</translation>
    </message>
</context>
<context>
    <name>ShortcutRowView</name>
    <message>
        <source>Click to favorite • %1</source>
        <translation>Klicken, um als Favorit zu markieren • %1</translation>
    </message>
    <message>
        <source>Customised in %1</source>
        <translation>Angepasst in %1</translation>
    </message>
    <message>
        <source>Default: %1</source>
        <translation>Vorgabe: %1</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Quit Corvane</source>
        <translation>Corvane beenden</translation>
    </message>
    <message>
        <source>Show Shortcuts</source>
        <translation>Tastenkürzel anzeigen</translation>
    </message>
    <message>
        <source>no hot key</source>
        <translation>kein Tastenkürzel</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: corvane [OPTION]...
Shows the keyboard shortcuts of the application you are working in. Corvane stays in the tray;
its hot key (Ctrl+Super+Space unless changed in the settings) opens the panel.
Only one Corvane runs per session: a later launch passes its request to the running one.

  --toggle              show the panel, or hide it when it is open
  --show                show the panel
  --settings            open the settings
  --quit                quit the running Corvane
  --show-on-launch      keep the panel on screen when another window takes the focus
  --unregister-desktop  remove what Corvane registered in the desktop&apos;s own settings (its
                        custom shortcut in GNOME) and exit; the uninstall runs this
  -h, --help            print this help and exit
  --version             print the version and exit

Qt&apos;s own options (-platform, -display, ...) are taken too. Corvane needs a graphical session
(WAYLAND_DISPLAY or DISPLAY); without one it says so and exits with status 1, but --toggle,
--show, --settings and --quit still reach a running Corvane.
</source>
        <translation>Aufruf: corvane [OPTION] …
Zeigt die Tastenkürzel der Anwendung, in der Sie gerade arbeiten. Corvane bleibt im Systembereich der
Kontrollleiste; sein Tastenkürzel (Strg+Super+Leertaste, sofern nicht in den Einstellungen geändert)
öffnet die Leiste. Pro Sitzung läuft nur ein Corvane: Ein späterer Start gibt seine Anfrage an das
laufende weiter.

  --toggle              die Leiste anzeigen oder, wenn sie offen ist, verbergen
  --show                die Leiste anzeigen
  --settings            die Einstellungen öffnen
  --quit                das laufende Corvane beenden
  --show-on-launch      die Leiste sichtbar lassen, wenn ein anderes Fenster den Fokus erhält
  --unregister-desktop  entfernen, was Corvane in den Einstellungen der Arbeitsumgebung
                        eingetragen hat (sein eigenes Tastenkürzel in GNOME), und beenden; die
                        Deinstallation ruft dies auf
  -h, --help            diese Hilfe anzeigen und beenden
  --version             die Version anzeigen und beenden

Qts eigene Optionen (-platform, -display, …) werden ebenfalls angenommen. Corvane benötigt eine
grafische Sitzung (WAYLAND_DISPLAY oder DISPLAY); ohne sie meldet es das und endet mit Status 1,
aber --toggle, --show, --settings und --quit erreichen weiterhin ein laufendes Corvane.
</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Einstellungen nicht gespeichert</translation>
    </message>
    <message>
        <source>Launch at login not changed</source>
        <translation>Start beim Anmelden nicht geändert</translation>
    </message>
    <message>
        <source>Hot key unavailable</source>
        <translation>Tastenkürzel nicht verfügbar</translation>
    </message>
    <message>
        <source>%1 is %2. Choose another shortcut in the settings.</source>
        <translation>%1 ist %2. Wählen Sie in den Einstellungen ein anderes Tastenkürzel.</translation>
    </message>
    <message>
        <source>The desktop did not bind %1. Choose another shortcut in the settings.</source>
        <translation>Die Arbeitsumgebung hat %1 nicht zugewiesen. Wählen Sie in den Einstellungen ein anderes Tastenkürzel.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Choose another shortcut in the settings.</source>
        <translation>%1 wird von einem anderen Programm verwendet. Wählen Sie in den Einstellungen ein anderes Tastenkürzel.</translation>
    </message>
    <message>
        <source>Which app is in front?</source>
        <translation>Welche Anwendung ist im Vordergrund?</translation>
    </message>
    <message>
        <source>Corvane cannot tell which app you are using until its GNOME Shell extension runs. Its settings show how to turn it on.</source>
        <translation>Corvane kann erst erkennen, welche Anwendung Sie verwenden, wenn seine GNOME-Shell-Erweiterung läuft. Seine Einstellungen zeigen, wie Sie sie einschalten.</translation>
    </message>
</context>
</TS>
