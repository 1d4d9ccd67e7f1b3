<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>CorvaneRootView</name>
    <message>
        <source>Find a shortcut…</source>
        <translation>Trova una scorciatoia…</translation>
    </message>
    <message>
        <source>Search shortcuts</source>
        <translation>Cerca scorciatoie</translation>
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
        <translation>Nessuna scorciatoia corrispondente</translation>
    </message>
    <message>
        <source>No shortcuts available</source>
        <translation>Nessuna scorciatoia disponibile</translation>
    </message>
</context>
<context>
    <name>ExtensionStateView</name>
    <message>
        <source>Turn On</source>
        <translation>Attiva</translation>
    </message>
    <message>
        <source>GNOME Shell has not said whether Corvane&apos;s extension runs.</source>
        <translation>GNOME Shell non ha comunicato se l&apos;estensione di Corvane è in esecuzione.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is not installed: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>L&apos;estensione di GNOME Shell di Corvane non è installata: il pannello non può sapere quale applicazione si sta usando e GNOME ne decide la posizione.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is installed. Log out and back in to start it.</source>
        <translation>L&apos;estensione di GNOME Shell di Corvane è installata. Terminare la sessione e accedere di nuovo per avviarla.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is off: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>L&apos;estensione di GNOME Shell di Corvane è disattivata: il pannello non può sapere quale applicazione si sta usando e GNOME ne decide la posizione.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is on.</source>
        <translation>L&apos;estensione di GNOME Shell di Corvane è attiva.</translation>
    </message>
    <message>
        <source>GNOME Shell could not run Corvane&apos;s extension. The Extensions app shows why.</source>
        <translation>GNOME Shell non è riuscito a eseguire l&apos;estensione di Corvane. L&apos;applicazione Estensioni ne mostra il motivo.</translation>
    </message>
</context>
<context>
    <name>HotKeyDesktopNote</name>
    <message>
        <source>Copy</source>
        <translation>Copia</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Bind this command to a key in its keyboard settings:</source>
        <translation>Questo ambiente desktop non consente ad alcun programma di usare un tasto globale. Associare questo comando a un tasto nelle sue impostazioni della tastiera:</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Add this line to its configuration:</source>
        <translation>Questo ambiente desktop non consente ad alcun programma di usare un tasto globale. Aggiungere questa riga alla sua configurazione:</translation>
    </message>
    <message>
        <source>(%1 is already %2 there: record another key first.)</source>
        <translation>(%1 è già %2 lì: registrare prima un altro tasto.)</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane; it has not said which keys it bound yet.</source>
        <translation>Il desktop esegue questa scorciatoia per Corvane; non ha ancora comunicato quali tasti ha associato.</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane: %1</source>
        <translation>Il desktop esegue questa scorciatoia per Corvane: %1</translation>
    </message>
    <message>
        <source>GNOME runs this shortcut for Corvane (Settings → Keyboard → Custom Shortcuts).</source>
        <translation>GNOME esegue questa scorciatoia per Corvane (Impostazioni → Tastiera → Scorciatoie personalizzate).</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorder</name>
    <message>
        <source>Shift with %1 would type nothing in any other application. Add Ctrl, Alt or Super.</source>
        <translation>Maiusc con %1 non scriverebbe più nulla in nessun’altra applicazione. Aggiungere Ctrl, Alt o Super.</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorderView</name>
    <message>
        <source>Click, then press the new combination (Esc cancels)</source>
        <translation>Fare clic, poi premere la nuova combinazione (Esc per annullare)</translation>
    </message>
    <message>
        <source>Press keys…</source>
        <translation>Premere i tasti…</translation>
    </message>
    <message>
        <source>Current shortcut: %1</source>
        <translation>Scorciatoia attuale: %1</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt, Shift or Super with the key.</source>
        <translation>Tenere premuto Ctrl, Alt, Maiusc o Super insieme al tasto.</translation>
    </message>
    <message>
        <source>This key cannot be the hot key; try another.</source>
        <translation>Questo tasto non può essere la scorciatoia di apertura; provarne un altro.</translation>
    </message>
</context>
<context>
    <name>JsonDefaultsStore</name>
    <message>
        <source>Corvane could not save its settings to %1: %2. Your changes are kept while Corvane runs.</source>
        <translation>Corvane non è riuscito a salvare le impostazioni in %1: %2. Le modifiche restano valide finché Corvane è in esecuzione.</translation>
    </message>
</context>
<context>
    <name>KeyCapView</name>
    <message>
        <source>then</source>
        <translation>poi</translation>
    </message>
</context>
<context>
    <name>KeyLabels</name>
    <message>
        <source>Click</source>
        <translation>Clic</translation>
    </message>
    <message>
        <source>Right-click</source>
        <translation>Clic destro</translation>
    </message>
    <message>
        <source>Middle-click</source>
        <translation>Clic centrale</translation>
    </message>
    <message>
        <source>Double-click</source>
        <translation>Doppio clic</translation>
    </message>
    <message>
        <source>Triple-click</source>
        <translation>Triplo clic</translation>
    </message>
    <message>
        <source>Drag</source>
        <translation>Trascina</translation>
    </message>
    <message>
        <source>Right-drag</source>
        <translation>Trascina col tasto destro</translation>
    </message>
    <message>
        <source>Middle-drag</source>
        <translation>Trascina col tasto centrale</translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation>Scorri</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Scorri su</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Scorri giù</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Maiusc</translation>
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
        <translation>Invio</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Canc</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Spazio</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Bloc Maiusc</translation>
    </message>
    <message>
        <source>PgUp</source>
        <translation>Pag Su</translation>
    </message>
    <message>
        <source>PgDn</source>
        <translation>Pag Giù</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fine</translation>
    </message>
    <message>
        <source>Ins</source>
        <translation>Ins</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Stamp</translation>
    </message>
    <message>
        <source>SysRq</source>
        <translation>R Sist</translation>
    </message>
    <message>
        <source>Scroll Lock</source>
        <translation>Bloc Scorr</translation>
    </message>
    <message>
        <source>Num Lock</source>
        <translation>Bloc Num</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Alza volume</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Abbassa volume</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Muto</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Riproduci</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Riproduci/Pausa</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Ferma</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>Traccia successiva</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>Traccia precedente</translation>
    </message>
    <message>
        <source>Brightness Up</source>
        <translation>Aumenta luminosità</translation>
    </message>
    <message>
        <source>Brightness Down</source>
        <translation>Diminuisci luminosità</translation>
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
        <translation>Num Invio</translation>
    </message>
    <message>
        <source>Num =</source>
        <translation>Num =</translation>
    </message>
    <message>
        <source>Num Up</source>
        <translation>Num Su</translation>
    </message>
    <message>
        <source>Num Down</source>
        <translation>Num Giù</translation>
    </message>
    <message>
        <source>Num Left</source>
        <translation>Num Sinistra</translation>
    </message>
    <message>
        <source>Num Right</source>
        <translation>Num Destra</translation>
    </message>
    <message>
        <source>Num Home</source>
        <translation>Num Home</translation>
    </message>
    <message>
        <source>Num End</source>
        <translation>Num Fine</translation>
    </message>
    <message>
        <source>Num PgUp</source>
        <translation>Num Pag Su</translation>
    </message>
    <message>
        <source>Num PgDn</source>
        <translation>Num Pag Giù</translation>
    </message>
    <message>
        <source>Num Ins</source>
        <translation>Num Ins</translation>
    </message>
    <message>
        <source>Num Del</source>
        <translation>Num Canc</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Su</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Giù</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Sinistra</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Destra</translation>
    </message>
    <message>
        <source>Minus</source>
        <translation>Meno</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>Più</translation>
    </message>
    <message>
        <source>, then </source>
        <comment>between the chords of a key sequence read aloud</comment>
        <translation>, poi </translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>previous, next shortcut</source>
        <translation>scorciatoia precedente, successiva</translation>
    </message>
    <message>
        <source>a page up, down</source>
        <translation>una pagina su, giù</translation>
    </message>
    <message>
        <source>first, last shortcut</source>
        <translation>prima, ultima scorciatoia</translation>
    </message>
    <message>
        <source>mark or unmark a favorite</source>
        <translation>aggiungere o togliere dai preferiti</translation>
    </message>
    <message>
        <source>fold the selected shortcut&apos;s application</source>
        <translation>comprimere l&apos;applicazione della scorciatoia selezionata</translation>
    </message>
    <message>
        <source>unfold every application</source>
        <translation>espandere tutte le applicazioni</translation>
    </message>
    <message>
        <source>close</source>
        <translation>chiudere</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n scorciatoia</numerusform>
            <numerusform>%n scorciatoie</numerusform>
        </translation>
    </message>
    <message>
        <source>navigate</source>
        <translation>spostarsi</translation>
    </message>
    <message>
        <source>page</source>
        <translation>pagina</translation>
    </message>
    <message>
        <source>favorite</source>
        <translation>preferito</translation>
    </message>
    <message>
        <source>collapse</source>
        <translation>comprimi</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show or hide the shortcut panel</source>
        <translation>Mostra o nasconde il pannello delle scorciatoie</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Shortcuts</source>
        <translation>Scorciatoie</translation>
    </message>
    <message>
        <source>1 shortcut</source>
        <translation>1 scorciatoia</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n scorciatoia</numerusform>
            <numerusform>%n scorciatoie</numerusform>
        </translation>
    </message>
    <message>
        <source>the application in front</source>
        <translation>l&apos;applicazione in primo piano</translation>
    </message>
    <message>
        <source>favourite</source>
        <translation>preferito</translation>
    </message>
    <message>
        <source>Corvane Settings</source>
        <translation>Impostazioni di Corvane</translation>
    </message>
</context>
<context>
    <name>SectionHeaderView</name>
    <message>
        <source>Show shortcuts</source>
        <translation>Mostra scorciatoie</translation>
    </message>
    <message>
        <source>Hide shortcuts</source>
        <translation>Nascondi scorciatoie</translation>
    </message>
    <message>
        <source>ACTIVE</source>
        <translation>ATTIVA</translation>
    </message>
    <message>
        <source>from the application</source>
        <translation>dall&apos;applicazione</translation>
    </message>
</context>
<context>
    <name>SectionListView</name>
    <message>
        <source>No shortcuts for %1 yet</source>
        <translation>Ancora nessuna scorciatoia per %1</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Shortcut data: Corvane Shortcut Data, licensed under CC BY-SA 4.0, © 2026 The Corvane developers.</source>
        <translation>Dati delle scorciatoie: Corvane Shortcut Data, con licenza CC BY-SA 4.0, © 2026 Gli sviluppatori di Corvane.</translation>
    </message>
    <message>
        <source>Activation</source>
        <translation>Attivazione</translation>
    </message>
    <message>
        <source>Trigger shortcut</source>
        <translation>Scorciatoia di apertura</translation>
    </message>
    <message>
        <source>Press this shortcut from any app to open Corvane.</source>
        <translation>Premere questa scorciatoia da qualsiasi applicazione per aprire Corvane.</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Aspetto</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>Colore d&apos;accento</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>Parole</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>Simboli</translation>
    </message>
    <message>
        <source>Key labels</source>
        <translation>Etichette dei tasti</translation>
    </message>
    <message>
        <source>Apps</source>
        <translation>Applicazioni</translation>
    </message>
    <message>
        <source>When on, apps you don&apos;t have installed are hidden from the list.</source>
        <translation>Se attivo, le applicazioni non installate vengono nascoste dall’elenco.</translation>
    </message>
    <message>
        <source>Read shortcuts from installed applications</source>
        <translation>Leggi le scorciatoie dalle applicazioni installate</translation>
    </message>
    <message>
        <source>Change…</source>
        <translation>Cambia…</translation>
    </message>
    <message>
        <source>Only show apps installed on this Mac</source>
        <translation>Mostra solo le applicazioni installate su questo Mac</translation>
    </message>
    <message>
        <source>Only show apps installed on this computer</source>
        <translation>Mostra solo le applicazioni installate su questo computer</translation>
    </message>
</context>
<context>
    <name>ShortcutRowView</name>
    <message>
        <source>Click to favorite • %1</source>
        <translation>Fare clic per aggiungere ai preferiti • %1</translation>
    </message>
    <message>
        <source>Customised in %1</source>
        <translation>Personalizzata in %1</translation>
    </message>
    <message>
        <source>Default: %1</source>
        <translation>Predefinita: %1</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>Settings…</source>
        <translation>Impostazioni…</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Avvia all&apos;accesso</translation>
    </message>
    <message>
        <source>Quit Corvane</source>
        <translation>Esci da Corvane</translation>
    </message>
    <message>
        <source>Show Shortcuts</source>
        <translation>Mostra scorciatoie</translation>
    </message>
    <message>
        <source>no hot key</source>
        <translation>nessuna scorciatoia</translation>
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
        <translation>Uso: corvane [OPZIONE]…
Mostra le scorciatoie da tastiera dell&apos;applicazione in cui si sta lavorando. Corvane resta nell&apos;area
di notifica; la sua scorciatoia (Ctrl+Super+Spazio, se non modificata nelle impostazioni) apre il
pannello. Per ogni sessione è in esecuzione un solo Corvane: un avvio successivo passa la richiesta
a quello in esecuzione.

  --toggle              mostra il pannello, o lo nasconde se è aperto
  --show                mostra il pannello
  --settings            apre le impostazioni
  --quit                chiude il Corvane in esecuzione
  --show-on-launch      mantiene il pannello sullo schermo quando un&apos;altra finestra prende il focus
  --unregister-desktop  rimuove ciò che Corvane ha registrato nelle impostazioni del desktop (la
                        sua scorciatoia personalizzata in GNOME) ed esce; la disinstallazione lo
                        esegue
  -h, --help            mostra questo aiuto ed esce
  --version             mostra la versione ed esce

Sono accettate anche le opzioni proprie di Qt (-platform, -display, …). Corvane richiede una sessione
grafica (WAYLAND_DISPLAY o DISPLAY); senza, lo segnala ed esce con stato 1, ma --toggle, --show,
--settings e --quit raggiungono comunque un Corvane in esecuzione.
</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Impostazioni non salvate</translation>
    </message>
    <message>
        <source>Launch at login not changed</source>
        <translation>Avvio all&apos;accesso non modificato</translation>
    </message>
    <message>
        <source>Hot key unavailable</source>
        <translation>Scorciatoia non disponibile</translation>
    </message>
    <message>
        <source>%1 is %2. Choose another shortcut in the settings.</source>
        <translation>%1 è %2. Scegliere un’altra scorciatoia nelle impostazioni.</translation>
    </message>
    <message>
        <source>The desktop did not bind %1. Choose another shortcut in the settings.</source>
        <translation>Il desktop non ha associato %1. Scegliere un’altra scorciatoia nelle impostazioni.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Choose another shortcut in the settings.</source>
        <translation>%1 è usata da un altro programma. Scegliere un’altra scorciatoia nelle impostazioni.</translation>
    </message>
    <message>
        <source>Which app is in front?</source>
        <translation>Quale applicazione è in primo piano?</translation>
    </message>
    <message>
        <source>Corvane cannot tell which app you are using until its GNOME Shell extension runs. Its settings show how to turn it on.</source>
        <translation>Corvane non può sapere quale applicazione si sta usando finché la sua estensione di GNOME Shell non è in esecuzione. Le sue impostazioni mostrano come attivarla.</translation>
    </message>
</context>
</TS>
