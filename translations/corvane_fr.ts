<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CorvaneRootView</name>
    <message>
        <source>Find a shortcut…</source>
        <translation>Trouver un raccourci…</translation>
    </message>
    <message>
        <source>Search shortcuts</source>
        <translation>Rechercher des raccourcis</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <comment>a program in a terminal or multiplexer</comment>
        <translation>%1 dans %2</translation>
    </message>
</context>
<context>
    <name>EmptyStateView</name>
    <message>
        <source>No matching shortcuts</source>
        <translation>Aucun raccourci correspondant</translation>
    </message>
    <message>
        <source>No shortcuts available</source>
        <translation>Aucun raccourci disponible</translation>
    </message>
</context>
<context>
    <name>ExtensionStateView</name>
    <message>
        <source>Turn On</source>
        <translation>Activer</translation>
    </message>
    <message>
        <source>GNOME Shell has not said whether Corvane&apos;s extension runs.</source>
        <translation>GNOME Shell n&apos;a pas indiqué si l&apos;extension de Corvane est en cours d&apos;exécution.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is not installed: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>L&apos;extension GNOME Shell de Corvane n&apos;est pas installée : le panneau ne peut pas savoir quelle application vous utilisez, et GNOME choisit sa position.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is installed. Log out and back in to start it.</source>
        <translation>L&apos;extension GNOME Shell de Corvane est installée. Fermez la session puis rouvrez-la pour la démarrer.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is off: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>L&apos;extension GNOME Shell de Corvane est désactivée : le panneau ne peut pas savoir quelle application vous utilisez, et GNOME choisit sa position.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is on.</source>
        <translation>L&apos;extension GNOME Shell de Corvane est activée.</translation>
    </message>
    <message>
        <source>GNOME Shell could not run Corvane&apos;s extension. The Extensions app shows why.</source>
        <translation>GNOME Shell n&apos;a pas pu exécuter l&apos;extension de Corvane. L&apos;application Extensions en indique la raison.</translation>
    </message>
</context>
<context>
    <name>HotKeyDesktopNote</name>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Bind this command to a key in its keyboard settings:</source>
        <translation>Cet environnement de bureau ne permet à aucun programme de prendre une touche globale. Associez cette commande à une touche dans ses paramètres du clavier :</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Add this line to its configuration:</source>
        <translation>Cet environnement de bureau ne permet à aucun programme de prendre une touche globale. Ajoutez cette ligne à sa configuration :</translation>
    </message>
    <message>
        <source>(%1 is already %2 there: record another key first.)</source>
        <translation>(%1 y est déjà %2 : enregistrez d’abord une autre touche.)</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane; it has not said which keys it bound yet.</source>
        <translation>Votre bureau exécute ce raccourci pour Corvane ; il n&apos;a pas encore indiqué quelles touches il a associées.</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane: %1</source>
        <translation>Votre bureau exécute ce raccourci pour Corvane : %1</translation>
    </message>
    <message>
        <source>GNOME runs this shortcut for Corvane (Settings → Keyboard → Custom Shortcuts).</source>
        <translation>GNOME exécute ce raccourci pour Corvane (Paramètres → Clavier → Raccourcis personnalisés).</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorder</name>
    <message>
        <source>Shift with %1 would type nothing in any other application. Add Ctrl, Alt or Super.</source>
        <translation>Maj avec %1 ne taperait plus rien dans aucune autre application. Ajoutez Ctrl, Alt ou Super.</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorderView</name>
    <message>
        <source>Click, then press the new combination (Esc cancels)</source>
        <translation>Cliquez, puis appuyez sur la nouvelle combinaison (Échap pour annuler)</translation>
    </message>
    <message>
        <source>Press keys…</source>
        <translation>Appuyez sur des touches…</translation>
    </message>
    <message>
        <source>Current shortcut: %1</source>
        <translation>Raccourci actuel : %1</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt, Shift or Super with the key.</source>
        <translation>Maintenez Ctrl, Alt, Maj ou Super avec la touche.</translation>
    </message>
    <message>
        <source>This key cannot be the hot key; try another.</source>
        <translation>Cette touche ne peut pas servir de raccourci d’ouverture ; essayez-en une autre.</translation>
    </message>
</context>
<context>
    <name>JsonDefaultsStore</name>
    <message>
        <source>Corvane could not save its settings to %1: %2. Your changes are kept while Corvane runs.</source>
        <translation>Corvane n&apos;a pas pu enregistrer ses paramètres dans %1 : %2. Vos modifications sont conservées tant que Corvane fonctionne.</translation>
    </message>
</context>
<context>
    <name>KeyCapView</name>
    <message>
        <source>then</source>
        <translation>puis</translation>
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
        <translation>Clic droit</translation>
    </message>
    <message>
        <source>Middle-click</source>
        <translation>Clic milieu</translation>
    </message>
    <message>
        <source>Double-click</source>
        <translation>Double-clic</translation>
    </message>
    <message>
        <source>Triple-click</source>
        <translation>Triple-clic</translation>
    </message>
    <message>
        <source>Drag</source>
        <translation>Glisser</translation>
    </message>
    <message>
        <source>Right-drag</source>
        <translation>Glisser (bouton droit)</translation>
    </message>
    <message>
        <source>Middle-drag</source>
        <translation>Glisser (bouton du milieu)</translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation>Défiler</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Défiler vers le haut</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Défiler vers le bas</translation>
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
        <translation>Maj</translation>
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
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Échap</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Retour arrière</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Suppr</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Verr. maj.</translation>
    </message>
    <message>
        <source>PgUp</source>
        <translation>Page haut</translation>
    </message>
    <message>
        <source>PgDn</source>
        <translation>Page bas</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Origine</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Ins</source>
        <translation>Inser</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Impr</translation>
    </message>
    <message>
        <source>SysRq</source>
        <translation>Syst</translation>
    </message>
    <message>
        <source>Scroll Lock</source>
        <translation>Arrêt défil.</translation>
    </message>
    <message>
        <source>Num Lock</source>
        <translation>Verr. num.</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Volume plus fort</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Volume plus faible</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Sourdine</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Lecture/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>Morceau suivant</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>Morceau précédent</translation>
    </message>
    <message>
        <source>Brightness Up</source>
        <translation>Luminosité plus forte</translation>
    </message>
    <message>
        <source>Brightness Down</source>
        <translation>Luminosité plus faible</translation>
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
        <translation>Num Entrée</translation>
    </message>
    <message>
        <source>Num =</source>
        <translation>Num =</translation>
    </message>
    <message>
        <source>Num Up</source>
        <translation>Num Haut</translation>
    </message>
    <message>
        <source>Num Down</source>
        <translation>Num Bas</translation>
    </message>
    <message>
        <source>Num Left</source>
        <translation>Num Gauche</translation>
    </message>
    <message>
        <source>Num Right</source>
        <translation>Num Droite</translation>
    </message>
    <message>
        <source>Num Home</source>
        <translation>Num Origine</translation>
    </message>
    <message>
        <source>Num End</source>
        <translation>Num Fin</translation>
    </message>
    <message>
        <source>Num PgUp</source>
        <translation>Num Page haut</translation>
    </message>
    <message>
        <source>Num PgDn</source>
        <translation>Num Page bas</translation>
    </message>
    <message>
        <source>Num Ins</source>
        <translation>Num Inser</translation>
    </message>
    <message>
        <source>Num Del</source>
        <translation>Num Suppr</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Haut</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Bas</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Minus</source>
        <translation>Moins</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>, then </source>
        <comment>between the chords of a key sequence read aloud</comment>
        <translation>, puis </translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>previous, next shortcut</source>
        <translation>raccourci précédent, suivant</translation>
    </message>
    <message>
        <source>a page up, down</source>
        <translation>une page plus haut, plus bas</translation>
    </message>
    <message>
        <source>first, last shortcut</source>
        <translation>premier, dernier raccourci</translation>
    </message>
    <message>
        <source>mark or unmark a favorite</source>
        <translation>ajouter aux favoris ou en retirer</translation>
    </message>
    <message>
        <source>fold the selected shortcut&apos;s application</source>
        <translation>replier l&apos;application du raccourci sélectionné</translation>
    </message>
    <message>
        <source>unfold every application</source>
        <translation>déplier toutes les applications</translation>
    </message>
    <message>
        <source>close</source>
        <translation>fermer</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n raccourci</numerusform>
            <numerusform>%n raccourcis</numerusform>
        </translation>
    </message>
    <message>
        <source>navigate</source>
        <translation>naviguer</translation>
    </message>
    <message>
        <source>page</source>
        <translation>page</translation>
    </message>
    <message>
        <source>favorite</source>
        <translation>favori</translation>
    </message>
    <message>
        <source>collapse</source>
        <translation>replier</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show or hide the shortcut panel</source>
        <translation>Afficher ou masquer le panneau des raccourcis</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Shortcuts</source>
        <translation>Raccourcis</translation>
    </message>
    <message>
        <source>1 shortcut</source>
        <translation>1 raccourci</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n raccourci</numerusform>
            <numerusform>%n raccourcis</numerusform>
        </translation>
    </message>
    <message>
        <source>the application in front</source>
        <translation>l&apos;application au premier plan</translation>
    </message>
    <message>
        <source>favourite</source>
        <translation>favori</translation>
    </message>
    <message>
        <source>Corvane Settings</source>
        <translation>Paramètres de Corvane</translation>
    </message>
</context>
<context>
    <name>SectionHeaderView</name>
    <message>
        <source>Show shortcuts</source>
        <translation>Afficher les raccourcis</translation>
    </message>
    <message>
        <source>Hide shortcuts</source>
        <translation>Masquer les raccourcis</translation>
    </message>
    <message>
        <source>ACTIVE</source>
        <translation>ACTIVE</translation>
    </message>
    <message>
        <source>from the application</source>
        <translation>de l&apos;application</translation>
    </message>
</context>
<context>
    <name>SectionListView</name>
    <message>
        <source>No shortcuts for %1 yet</source>
        <translation>Pas encore de raccourcis pour %1</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Shortcut data: Corvane Shortcut Data, licensed under CC BY-SA 4.0, © 2026 The Corvane developers.</source>
        <translation>Données des raccourcis : Corvane Shortcut Data, sous licence CC BY-SA 4.0, © 2026 Les développeurs de Corvane.</translation>
    </message>
    <message>
        <source>Activation</source>
        <translation>Activation</translation>
    </message>
    <message>
        <source>Trigger shortcut</source>
        <translation>Raccourci d&apos;ouverture</translation>
    </message>
    <message>
        <source>Press this shortcut from any app to open Corvane.</source>
        <translation>Appuyez sur ce raccourci depuis n&apos;importe quelle application pour ouvrir Corvane.</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apparence</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>Couleur d&apos;accentuation</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>Mots</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>Symboles</translation>
    </message>
    <message>
        <source>Key labels</source>
        <translation>Libellés des touches</translation>
    </message>
    <message>
        <source>Apps</source>
        <translation>Applications</translation>
    </message>
    <message>
        <source>When on, apps you don&apos;t have installed are hidden from the list.</source>
        <translation>Si activé, les applications que vous n&apos;avez pas installées sont masquées dans la liste.</translation>
    </message>
    <message>
        <source>Read shortcuts from installed applications</source>
        <translation>Lire les raccourcis des applications installées</translation>
    </message>
    <message>
        <source>Change…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Only show apps installed on this Mac</source>
        <translation>Afficher uniquement les applications installées sur ce Mac</translation>
    </message>
    <message>
        <source>Only show apps installed on this computer</source>
        <translation>Afficher uniquement les applications installées sur cet ordinateur</translation>
    </message>
</context>
<context>
    <name>ShortcutRowView</name>
    <message>
        <source>Click to favorite • %1</source>
        <translation>Cliquer pour ajouter aux favoris • %1</translation>
    </message>
    <message>
        <source>Customised in %1</source>
        <translation>Personnalisé dans %1</translation>
    </message>
    <message>
        <source>Default: %1</source>
        <translation>Par défaut : %1</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>Settings…</source>
        <translation>Paramètres…</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Lancer à l&apos;ouverture de session</translation>
    </message>
    <message>
        <source>Quit Corvane</source>
        <translation>Quitter Corvane</translation>
    </message>
    <message>
        <source>Show Shortcuts</source>
        <translation>Afficher les raccourcis</translation>
    </message>
    <message>
        <source>no hot key</source>
        <translation>aucun raccourci</translation>
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
        <translation>Utilisation : corvane [OPTION]…
Affiche les raccourcis clavier de l&apos;application dans laquelle vous travaillez. Corvane reste dans la
zone de notification ; son raccourci (Ctrl+Super+Espace, sauf modification dans les paramètres) ouvre
le panneau. Un seul Corvane s&apos;exécute par session : un lancement ultérieur transmet sa demande à
celui qui s&apos;exécute.

  --toggle              afficher le panneau, ou le masquer s&apos;il est ouvert
  --show                afficher le panneau
  --settings            ouvrir les paramètres
  --quit                quitter le Corvane en cours d&apos;exécution
  --show-on-launch      garder le panneau à l&apos;écran quand une autre fenêtre prend le focus
  --unregister-desktop  retirer ce que Corvane a enregistré dans les paramètres du bureau (son
                        raccourci personnalisé dans GNOME) et quitter ; la désinstallation
                        l&apos;exécute
  -h, --help            afficher cette aide et quitter
  --version             afficher la version et quitter

Les options propres à Qt (-platform, -display, …) sont aussi acceptées. Corvane a besoin d&apos;une
session graphique (WAYLAND_DISPLAY ou DISPLAY) ; sans elle, il le signale et se termine avec le
code 1, mais --toggle, --show, --settings et --quit atteignent toujours un Corvane en cours
d&apos;exécution.
</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Paramètres non enregistrés</translation>
    </message>
    <message>
        <source>Launch at login not changed</source>
        <translation>Lancement à l&apos;ouverture de session non modifié</translation>
    </message>
    <message>
        <source>Hot key unavailable</source>
        <translation>Raccourci indisponible</translation>
    </message>
    <message>
        <source>%1 is %2. Choose another shortcut in the settings.</source>
        <translation>%1 est %2. Choisissez un autre raccourci dans les paramètres.</translation>
    </message>
    <message>
        <source>The desktop did not bind %1. Choose another shortcut in the settings.</source>
        <translation>Le bureau n&apos;a pas associé %1. Choisissez un autre raccourci dans les paramètres.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Choose another shortcut in the settings.</source>
        <translation>%1 est utilisé par un autre programme. Choisissez un autre raccourci dans les paramètres.</translation>
    </message>
    <message>
        <source>Which app is in front?</source>
        <translation>Quelle application est au premier plan ?</translation>
    </message>
    <message>
        <source>Corvane cannot tell which app you are using until its GNOME Shell extension runs. Its settings show how to turn it on.</source>
        <translation>Corvane ne peut pas savoir quelle application vous utilisez tant que son extension GNOME Shell ne fonctionne pas. Ses paramètres indiquent comment l&apos;activer.</translation>
    </message>
</context>
</TS>
