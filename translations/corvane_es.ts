<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CorvaneRootView</name>
    <message>
        <source>Find a shortcut…</source>
        <translation>Buscar un atajo…</translation>
    </message>
    <message>
        <source>Search shortcuts</source>
        <translation>Buscar atajos</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <comment>a program in a terminal or multiplexer</comment>
        <translation>%1 en %2</translation>
    </message>
</context>
<context>
    <name>EmptyStateView</name>
    <message>
        <source>No matching shortcuts</source>
        <translation>No hay atajos coincidentes</translation>
    </message>
    <message>
        <source>No shortcuts available</source>
        <translation>No hay atajos disponibles</translation>
    </message>
</context>
<context>
    <name>ExtensionStateView</name>
    <message>
        <source>Turn On</source>
        <translation>Activar</translation>
    </message>
    <message>
        <source>GNOME Shell has not said whether Corvane&apos;s extension runs.</source>
        <translation>GNOME Shell no ha indicado si la extensión de Corvane se está ejecutando.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is not installed: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>La extensión de GNOME Shell de Corvane no está instalada: el panel no puede saber qué aplicación está usando y GNOME decide dónde colocarlo.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is installed. Log out and back in to start it.</source>
        <translation>La extensión de GNOME Shell de Corvane está instalada. Cierre la sesión y vuelva a entrar para iniciarla.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is off: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>La extensión de GNOME Shell de Corvane está desactivada: el panel no puede saber qué aplicación está usando y GNOME decide dónde colocarlo.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is on.</source>
        <translation>La extensión de GNOME Shell de Corvane está activada.</translation>
    </message>
    <message>
        <source>GNOME Shell could not run Corvane&apos;s extension. The Extensions app shows why.</source>
        <translation>GNOME Shell no pudo ejecutar la extensión de Corvane. La aplicación Extensiones muestra el motivo.</translation>
    </message>
</context>
<context>
    <name>HotKeyDesktopNote</name>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Bind this command to a key in its keyboard settings:</source>
        <translation>Este escritorio no permite que ningún programa tome una tecla global. Asigne este comando a una tecla en su configuración del teclado:</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Add this line to its configuration:</source>
        <translation>Este escritorio no permite que ningún programa tome una tecla global. Añada esta línea a su configuración:</translation>
    </message>
    <message>
        <source>(%1 is already %2 there: record another key first.)</source>
        <translation>(%1 ya está %2 allí: grabe primero otra tecla.)</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane; it has not said which keys it bound yet.</source>
        <translation>Su escritorio ejecuta este atajo para Corvane; todavía no ha indicado qué teclas ha asignado.</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane: %1</source>
        <translation>Su escritorio ejecuta este atajo para Corvane: %1</translation>
    </message>
    <message>
        <source>GNOME runs this shortcut for Corvane (Settings → Keyboard → Custom Shortcuts).</source>
        <translation>GNOME ejecuta este atajo para Corvane (Configuración → Teclado → Atajos personalizados).</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorder</name>
    <message>
        <source>Shift with %1 would type nothing in any other application. Add Ctrl, Alt or Super.</source>
        <translation>Mayús con %1 no escribiría nada en ninguna otra aplicación. Añada Ctrl, Alt o Super.</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorderView</name>
    <message>
        <source>Click, then press the new combination (Esc cancels)</source>
        <translation>Pulse y después presione la nueva combinación (Esc cancela)</translation>
    </message>
    <message>
        <source>Press keys…</source>
        <translation>Presione las teclas…</translation>
    </message>
    <message>
        <source>Current shortcut: %1</source>
        <translation>Atajo actual: %1</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt, Shift or Super with the key.</source>
        <translation>Mantenga pulsada Ctrl, Alt, Mayús o Super con la tecla.</translation>
    </message>
    <message>
        <source>This key cannot be the hot key; try another.</source>
        <translation>Esta tecla no puede ser el atajo de apertura; pruebe con otra.</translation>
    </message>
</context>
<context>
    <name>JsonDefaultsStore</name>
    <message>
        <source>Corvane could not save its settings to %1: %2. Your changes are kept while Corvane runs.</source>
        <translation>Corvane no pudo guardar su configuración en %1: %2. Sus cambios se conservan mientras Corvane esté en ejecución.</translation>
    </message>
</context>
<context>
    <name>KeyCapView</name>
    <message>
        <source>then</source>
        <translation>luego</translation>
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
        <translation>Clic derecho</translation>
    </message>
    <message>
        <source>Middle-click</source>
        <translation>Clic central</translation>
    </message>
    <message>
        <source>Double-click</source>
        <translation>Doble clic</translation>
    </message>
    <message>
        <source>Triple-click</source>
        <translation>Triple clic</translation>
    </message>
    <message>
        <source>Drag</source>
        <translation>Arrastrar</translation>
    </message>
    <message>
        <source>Right-drag</source>
        <translation>Arrastrar con botón derecho</translation>
    </message>
    <message>
        <source>Middle-drag</source>
        <translation>Arrastrar con botón central</translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation>Desplazar</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Desplazar hacia arriba</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Desplazar hacia abajo</translation>
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
        <translation>Mayús</translation>
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
        <translation>Intro</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Retroceso</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Supr</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espacio</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Bloq Mayús</translation>
    </message>
    <message>
        <source>PgUp</source>
        <translation>Re Pág</translation>
    </message>
    <message>
        <source>PgDn</source>
        <translation>Av Pág</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Ins</source>
        <translation>Insertar</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>SysRq</source>
        <translation>PetSis</translation>
    </message>
    <message>
        <source>Scroll Lock</source>
        <translation>Bloq Despl</translation>
    </message>
    <message>
        <source>Num Lock</source>
        <translation>Bloq Num</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Subir volumen</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Bajar volumen</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Silenciar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Reproducir/Pausar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>Pista siguiente</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>Pista anterior</translation>
    </message>
    <message>
        <source>Brightness Up</source>
        <translation>Subir brillo</translation>
    </message>
    <message>
        <source>Brightness Down</source>
        <translation>Bajar brillo</translation>
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
        <translation>Num Intro</translation>
    </message>
    <message>
        <source>Num =</source>
        <translation>Num =</translation>
    </message>
    <message>
        <source>Num Up</source>
        <translation>Num Arriba</translation>
    </message>
    <message>
        <source>Num Down</source>
        <translation>Num Abajo</translation>
    </message>
    <message>
        <source>Num Left</source>
        <translation>Num Izquierda</translation>
    </message>
    <message>
        <source>Num Right</source>
        <translation>Num Derecha</translation>
    </message>
    <message>
        <source>Num Home</source>
        <translation>Num Inicio</translation>
    </message>
    <message>
        <source>Num End</source>
        <translation>Num Fin</translation>
    </message>
    <message>
        <source>Num PgUp</source>
        <translation>Num Re Pág</translation>
    </message>
    <message>
        <source>Num PgDn</source>
        <translation>Num Av Pág</translation>
    </message>
    <message>
        <source>Num Ins</source>
        <translation>Num Insertar</translation>
    </message>
    <message>
        <source>Num Del</source>
        <translation>Num Supr</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Arriba</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Abajo</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Derecha</translation>
    </message>
    <message>
        <source>Minus</source>
        <translation>Menos</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>Más</translation>
    </message>
    <message>
        <source>, then </source>
        <comment>between the chords of a key sequence read aloud</comment>
        <translation>, luego </translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>previous, next shortcut</source>
        <translation>atajo anterior, siguiente</translation>
    </message>
    <message>
        <source>a page up, down</source>
        <translation>una página arriba, abajo</translation>
    </message>
    <message>
        <source>first, last shortcut</source>
        <translation>primer, último atajo</translation>
    </message>
    <message>
        <source>mark or unmark a favorite</source>
        <translation>marcar o desmarcar como favorito</translation>
    </message>
    <message>
        <source>fold the selected shortcut&apos;s application</source>
        <translation>contraer la aplicación del atajo seleccionado</translation>
    </message>
    <message>
        <source>unfold every application</source>
        <translation>expandir todas las aplicaciones</translation>
    </message>
    <message>
        <source>close</source>
        <translation>cerrar</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n atajo</numerusform>
            <numerusform>%n atajos</numerusform>
        </translation>
    </message>
    <message>
        <source>navigate</source>
        <translation>navegar</translation>
    </message>
    <message>
        <source>page</source>
        <translation>página</translation>
    </message>
    <message>
        <source>favorite</source>
        <translation>favorito</translation>
    </message>
    <message>
        <source>collapse</source>
        <translation>contraer</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show or hide the shortcut panel</source>
        <translation>Mostrar u ocultar el panel de atajos</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Shortcuts</source>
        <translation>Atajos</translation>
    </message>
    <message>
        <source>1 shortcut</source>
        <translation>1 atajo</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n atajo</numerusform>
            <numerusform>%n atajos</numerusform>
        </translation>
    </message>
    <message>
        <source>the application in front</source>
        <translation>la aplicación en primer plano</translation>
    </message>
    <message>
        <source>favourite</source>
        <translation>favorito</translation>
    </message>
    <message>
        <source>Corvane Settings</source>
        <translation>Configuración de Corvane</translation>
    </message>
</context>
<context>
    <name>SectionHeaderView</name>
    <message>
        <source>Show shortcuts</source>
        <translation>Mostrar atajos</translation>
    </message>
    <message>
        <source>Hide shortcuts</source>
        <translation>Ocultar atajos</translation>
    </message>
    <message>
        <source>ACTIVE</source>
        <translation>ACTIVA</translation>
    </message>
    <message>
        <source>from the application</source>
        <translation>de la aplicación</translation>
    </message>
</context>
<context>
    <name>SectionListView</name>
    <message>
        <source>No shortcuts for %1 yet</source>
        <translation>Todavía no hay atajos para %1</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Shortcut data: Corvane Shortcut Data, licensed under CC BY-SA 4.0, © 2026 The Corvane developers.</source>
        <translation>Datos de atajos: Corvane Shortcut Data, con licencia CC BY-SA 4.0, © 2026 Los desarrolladores de Corvane.</translation>
    </message>
    <message>
        <source>Activation</source>
        <translation>Activación</translation>
    </message>
    <message>
        <source>Trigger shortcut</source>
        <translation>Atajo de apertura</translation>
    </message>
    <message>
        <source>Press this shortcut from any app to open Corvane.</source>
        <translation>Pulse este atajo desde cualquier aplicación para abrir Corvane.</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apariencia</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>Color de acento</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>Palabras</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>Símbolos</translation>
    </message>
    <message>
        <source>Key labels</source>
        <translation>Etiquetas de teclas</translation>
    </message>
    <message>
        <source>Apps</source>
        <translation>Aplicaciones</translation>
    </message>
    <message>
        <source>When on, apps you don&apos;t have installed are hidden from the list.</source>
        <translation>Si está activado, las aplicaciones que no tiene instaladas se ocultan de la lista.</translation>
    </message>
    <message>
        <source>Read shortcuts from installed applications</source>
        <translation>Leer los atajos de las aplicaciones instaladas</translation>
    </message>
    <message>
        <source>Change…</source>
        <translation>Cambiar…</translation>
    </message>
    <message>
        <source>Only show apps installed on this Mac</source>
        <translation>Mostrar solo las aplicaciones instaladas en este Mac</translation>
    </message>
    <message>
        <source>Only show apps installed on this computer</source>
        <translation>Mostrar solo las aplicaciones instaladas en este equipo</translation>
    </message>
</context>
<context>
    <name>ShortcutRowView</name>
    <message>
        <source>Click to favorite • %1</source>
        <translation>Pulse para marcar como favorito • %1</translation>
    </message>
    <message>
        <source>Customised in %1</source>
        <translation>Personalizado en %1</translation>
    </message>
    <message>
        <source>Default: %1</source>
        <translation>Predeterminado: %1</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>Settings…</source>
        <translation>Configuración…</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Iniciar al iniciar sesión</translation>
    </message>
    <message>
        <source>Quit Corvane</source>
        <translation>Salir de Corvane</translation>
    </message>
    <message>
        <source>Show Shortcuts</source>
        <translation>Mostrar atajos</translation>
    </message>
    <message>
        <source>no hot key</source>
        <translation>sin atajo</translation>
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
        <translation>Uso: corvane [OPCIÓN]…
Muestra los atajos de teclado de la aplicación en la que está trabajando. Corvane permanece en la
bandeja del sistema; su atajo (Ctrl+Super+Espacio salvo que se cambie en la configuración) abre el
panel. Solo se ejecuta un Corvane por sesión: un inicio posterior pasa su petición al que ya se
está ejecutando.

  --toggle              mostrar el panel, u ocultarlo si está abierto
  --show                mostrar el panel
  --settings            abrir la configuración
  --quit                salir del Corvane en ejecución
  --show-on-launch      mantener el panel en pantalla cuando otra ventana recibe el foco
  --unregister-desktop  quitar lo que Corvane registró en la configuración del escritorio (su
                        atajo personalizado en GNOME) y salir; la desinstalación lo ejecuta
  -h, --help            mostrar esta ayuda y salir
  --version             mostrar la versión y salir

También se aceptan las opciones propias de Qt (-platform, -display, …). Corvane necesita una sesión
gráfica (WAYLAND_DISPLAY o DISPLAY); sin ella lo indica y termina con el estado 1, pero --toggle,
--show, --settings y --quit siguen llegando a un Corvane en ejecución.
</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Configuración no guardada</translation>
    </message>
    <message>
        <source>Launch at login not changed</source>
        <translation>El inicio al iniciar sesión no se ha cambiado</translation>
    </message>
    <message>
        <source>Hot key unavailable</source>
        <translation>Atajo no disponible</translation>
    </message>
    <message>
        <source>%1 is %2. Choose another shortcut in the settings.</source>
        <translation>%1 está %2. Elija otro atajo en la configuración.</translation>
    </message>
    <message>
        <source>The desktop did not bind %1. Choose another shortcut in the settings.</source>
        <translation>El escritorio no asignó %1. Elija otro atajo en la configuración.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Choose another shortcut in the settings.</source>
        <translation>Otro programa está usando %1. Elija otro atajo en la configuración.</translation>
    </message>
    <message>
        <source>Which app is in front?</source>
        <translation>¿Qué aplicación está en primer plano?</translation>
    </message>
    <message>
        <source>Corvane cannot tell which app you are using until its GNOME Shell extension runs. Its settings show how to turn it on.</source>
        <translation>Corvane no puede saber qué aplicación está usando hasta que se ejecute su extensión de GNOME Shell. Su configuración muestra cómo activarla.</translation>
    </message>
</context>
</TS>
