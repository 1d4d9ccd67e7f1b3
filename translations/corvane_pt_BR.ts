<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>CorvaneRootView</name>
    <message>
        <source>Find a shortcut…</source>
        <translation>Procurar um atalho…</translation>
    </message>
    <message>
        <source>Search shortcuts</source>
        <translation>Pesquisar atalhos</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <comment>a program in a terminal or multiplexer</comment>
        <translation>%1 em %2</translation>
    </message>
</context>
<context>
    <name>EmptyStateView</name>
    <message>
        <source>No matching shortcuts</source>
        <translation>Nenhum atalho correspondente</translation>
    </message>
    <message>
        <source>No shortcuts available</source>
        <translation>Nenhum atalho disponível</translation>
    </message>
</context>
<context>
    <name>ExtensionStateView</name>
    <message>
        <source>Turn On</source>
        <translation>Ativar</translation>
    </message>
    <message>
        <source>GNOME Shell has not said whether Corvane&apos;s extension runs.</source>
        <translation>O GNOME Shell não informou se a extensão do Corvane está em execução.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is not installed: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>A extensão do GNOME Shell do Corvane não está instalada: o painel não consegue saber qual aplicativo você está usando, e o GNOME decide onde posicioná-lo.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is installed. Log out and back in to start it.</source>
        <translation>A extensão do GNOME Shell do Corvane está instalada. Encerre a sessão e entre novamente para iniciá-la.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is off: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>A extensão do GNOME Shell do Corvane está desativada: o painel não consegue saber qual aplicativo você está usando, e o GNOME decide onde posicioná-lo.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is on.</source>
        <translation>A extensão do GNOME Shell do Corvane está ativada.</translation>
    </message>
    <message>
        <source>GNOME Shell could not run Corvane&apos;s extension. The Extensions app shows why.</source>
        <translation>O GNOME Shell não conseguiu executar a extensão do Corvane. O aplicativo Extensões mostra o motivo.</translation>
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
        <translation>Este ambiente de trabalho não permite que nenhum programa use uma tecla global. Associe este comando a uma tecla nas configurações de teclado dele:</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Add this line to its configuration:</source>
        <translation>Este ambiente de trabalho não permite que nenhum programa use uma tecla global. Adicione esta linha à configuração dele:</translation>
    </message>
    <message>
        <source>(%1 is already %2 there: record another key first.)</source>
        <translation>(%1 já está %2 lá: grave outra tecla primeiro.)</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane; it has not said which keys it bound yet.</source>
        <translation>Seu ambiente de trabalho executa este atalho para o Corvane; ele ainda não informou quais teclas associou.</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane: %1</source>
        <translation>Seu ambiente de trabalho executa este atalho para o Corvane: %1</translation>
    </message>
    <message>
        <source>GNOME runs this shortcut for Corvane (Settings → Keyboard → Custom Shortcuts).</source>
        <translation>O GNOME executa este atalho para o Corvane (Configurações → Teclado → Atalhos personalizados).</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorder</name>
    <message>
        <source>Shift with %1 would type nothing in any other application. Add Ctrl, Alt or Super.</source>
        <translation>Shift com %1 não digitaria nada em nenhum outro aplicativo. Adicione Ctrl, Alt ou Super.</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorderView</name>
    <message>
        <source>Click, then press the new combination (Esc cancels)</source>
        <translation>Clique e pressione a nova combinação (Esc cancela)</translation>
    </message>
    <message>
        <source>Press keys…</source>
        <translation>Pressione as teclas…</translation>
    </message>
    <message>
        <source>Current shortcut: %1</source>
        <translation>Atalho atual: %1</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt, Shift or Super with the key.</source>
        <translation>Segure Ctrl, Alt, Shift ou Super junto com a tecla.</translation>
    </message>
    <message>
        <source>This key cannot be the hot key; try another.</source>
        <translation>Esta tecla não pode ser o atalho de abertura; tente outra.</translation>
    </message>
</context>
<context>
    <name>JsonDefaultsStore</name>
    <message>
        <source>Corvane could not save its settings to %1: %2. Your changes are kept while Corvane runs.</source>
        <translation>O Corvane não conseguiu salvar as configurações em %1: %2. Suas alterações são mantidas enquanto o Corvane estiver em execução.</translation>
    </message>
</context>
<context>
    <name>KeyCapView</name>
    <message>
        <source>then</source>
        <translation>depois</translation>
    </message>
</context>
<context>
    <name>KeyLabels</name>
    <message>
        <source>Click</source>
        <translation>Clique</translation>
    </message>
    <message>
        <source>Right-click</source>
        <translation>Clique direito</translation>
    </message>
    <message>
        <source>Middle-click</source>
        <translation>Clique do meio</translation>
    </message>
    <message>
        <source>Double-click</source>
        <translation>Clique duplo</translation>
    </message>
    <message>
        <source>Triple-click</source>
        <translation>Clique triplo</translation>
    </message>
    <message>
        <source>Drag</source>
        <translation>Arrastrar</translation>
    </message>
    <message>
        <source>Right-drag</source>
        <translation>Arrastrar com botão direito</translation>
    </message>
    <message>
        <source>Middle-drag</source>
        <translation>Arrastrar com botão do meio</translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation>Rolar</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Rolar para cima</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Rolar para baixo</translation>
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
        <translation>Shift</translation>
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
        <translation>Enter</translation>
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
        <translation>Del</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espaço</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Caps Lock</translation>
    </message>
    <message>
        <source>PgUp</source>
        <translation>PgUp</translation>
    </message>
    <message>
        <source>PgDn</source>
        <translation>PgDn</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>End</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Ins</source>
        <translation>Ins</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>SysRq</source>
        <translation>SysRq</translation>
    </message>
    <message>
        <source>Scroll Lock</source>
        <translation>Scroll Lock</translation>
    </message>
    <message>
        <source>Num Lock</source>
        <translation>Num Lock</translation>
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
        <translation>Aumentar volume</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Abaixar volume</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mudo</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproduzir</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Reproduzir/Pausar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>Próxima faixa</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>Faixa anterior</translation>
    </message>
    <message>
        <source>Brightness Up</source>
        <translation>Aumentar brilho</translation>
    </message>
    <message>
        <source>Brightness Down</source>
        <translation>Diminuir brilho</translation>
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
        <translation>Num Enter</translation>
    </message>
    <message>
        <source>Num =</source>
        <translation>Num =</translation>
    </message>
    <message>
        <source>Num Up</source>
        <translation>Num Acima</translation>
    </message>
    <message>
        <source>Num Down</source>
        <translation>Num Abaixo</translation>
    </message>
    <message>
        <source>Num Left</source>
        <translation>Num Esquerda</translation>
    </message>
    <message>
        <source>Num Right</source>
        <translation>Num Direita</translation>
    </message>
    <message>
        <source>Num Home</source>
        <translation>Num Home</translation>
    </message>
    <message>
        <source>Num End</source>
        <translation>Num End</translation>
    </message>
    <message>
        <source>Num PgUp</source>
        <translation>Num PgUp</translation>
    </message>
    <message>
        <source>Num PgDn</source>
        <translation>Num PgDn</translation>
    </message>
    <message>
        <source>Num Ins</source>
        <translation>Num Ins</translation>
    </message>
    <message>
        <source>Num Del</source>
        <translation>Num Del</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Acima</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Abaixo</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Esquerda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Direita</translation>
    </message>
    <message>
        <source>Minus</source>
        <translation>Menos</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>Mais</translation>
    </message>
    <message>
        <source>, then </source>
        <comment>between the chords of a key sequence read aloud</comment>
        <translation>, depois </translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>previous, next shortcut</source>
        <translation>atalho anterior, próximo</translation>
    </message>
    <message>
        <source>a page up, down</source>
        <translation>uma página acima, abaixo</translation>
    </message>
    <message>
        <source>first, last shortcut</source>
        <translation>primeiro, último atalho</translation>
    </message>
    <message>
        <source>mark or unmark a favorite</source>
        <translation>marcar ou desmarcar como favorito</translation>
    </message>
    <message>
        <source>fold the selected shortcut&apos;s application</source>
        <translation>recolher o aplicativo do atalho selecionado</translation>
    </message>
    <message>
        <source>unfold every application</source>
        <translation>expandir todos os aplicativos</translation>
    </message>
    <message>
        <source>close</source>
        <translation>fechar</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n atalho</numerusform>
            <numerusform>%n atalhos</numerusform>
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
        <translation>recolher</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show or hide the shortcut panel</source>
        <translation>Mostrar ou ocultar o painel de atalhos</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Shortcuts</source>
        <translation>Atalhos</translation>
    </message>
    <message>
        <source>1 shortcut</source>
        <translation>1 atalho</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>%n atalho</numerusform>
            <numerusform>%n atalhos</numerusform>
        </translation>
    </message>
    <message>
        <source>the application in front</source>
        <translation>o aplicativo em primeiro plano</translation>
    </message>
    <message>
        <source>favourite</source>
        <translation>favorito</translation>
    </message>
    <message>
        <source>Corvane Settings</source>
        <translation>Configurações do Corvane</translation>
    </message>
</context>
<context>
    <name>SectionHeaderView</name>
    <message>
        <source>Show shortcuts</source>
        <translation>Mostrar atalhos</translation>
    </message>
    <message>
        <source>Hide shortcuts</source>
        <translation>Ocultar atalhos</translation>
    </message>
    <message>
        <source>ACTIVE</source>
        <translation>ATIVO</translation>
    </message>
    <message>
        <source>from the application</source>
        <translation>do aplicativo</translation>
    </message>
</context>
<context>
    <name>SectionListView</name>
    <message>
        <source>No shortcuts for %1 yet</source>
        <translation>Ainda não há atalhos para %1</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Shortcut data: Corvane Shortcut Data, licensed under CC BY-SA 4.0, © 2026 The Corvane developers.</source>
        <translation>Dados de atalhos: Corvane Shortcut Data, licenciados sob CC BY-SA 4.0, © 2026 Os desenvolvedores do Corvane.</translation>
    </message>
    <message>
        <source>Activation</source>
        <translation>Ativação</translation>
    </message>
    <message>
        <source>Trigger shortcut</source>
        <translation>Atalho de abertura</translation>
    </message>
    <message>
        <source>Press this shortcut from any app to open Corvane.</source>
        <translation>Pressione este atalho em qualquer aplicativo para abrir o Corvane.</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Aparência</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>Cor de destaque</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>Palavras</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>Símbolos</translation>
    </message>
    <message>
        <source>Key labels</source>
        <translation>Rótulos das teclas</translation>
    </message>
    <message>
        <source>Apps</source>
        <translation>Aplicativos</translation>
    </message>
    <message>
        <source>When on, apps you don&apos;t have installed are hidden from the list.</source>
        <translation>Quando ativado, os aplicativos que você não tem instalados ficam ocultos na lista.</translation>
    </message>
    <message>
        <source>Read shortcuts from installed applications</source>
        <translation>Ler os atalhos dos aplicativos instalados</translation>
    </message>
    <message>
        <source>Change…</source>
        <translation>Alterar…</translation>
    </message>
    <message>
        <source>Only show apps installed on this Mac</source>
        <translation>Mostrar apenas os aplicativos instalados neste Mac</translation>
    </message>
    <message>
        <source>Only show apps installed on this computer</source>
        <translation>Mostrar apenas os aplicativos instalados neste computador</translation>
    </message>
</context>
<context>
    <name>ShortcutRowView</name>
    <message>
        <source>Click to favorite • %1</source>
        <translation>Clique para marcar como favorito • %1</translation>
    </message>
    <message>
        <source>Customised in %1</source>
        <translation>Personalizado em %1</translation>
    </message>
    <message>
        <source>Default: %1</source>
        <translation>Padrão: %1</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>Settings…</source>
        <translation>Configurações…</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Iniciar ao entrar na sessão</translation>
    </message>
    <message>
        <source>Quit Corvane</source>
        <translation>Sair do Corvane</translation>
    </message>
    <message>
        <source>Show Shortcuts</source>
        <translation>Mostrar atalhos</translation>
    </message>
    <message>
        <source>no hot key</source>
        <translation>sem atalho</translation>
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
        <translation>Uso: corvane [OPÇÃO]…
Mostra os atalhos de teclado do aplicativo em que você está trabalhando. O Corvane fica na bandeja
do sistema; seu atalho (Ctrl+Super+Espaço, a menos que alterado nas configurações) abre o painel.
Só um Corvane é executado por sessão: uma inicialização posterior passa seu pedido para o que já
está em execução.

  --toggle              mostrar o painel, ou ocultá-lo quando estiver aberto
  --show                mostrar o painel
  --settings            abrir as configurações
  --quit                sair do Corvane em execução
  --show-on-launch      manter o painel na tela quando outra janela receber o foco
  --unregister-desktop  remover o que o Corvane registrou nas configurações do ambiente de
                        trabalho (seu atalho personalizado no GNOME) e sair; a desinstalação
                        executa isto
  -h, --help            mostrar esta ajuda e sair
  --version             mostrar a versão e sair

As opções do próprio Qt (-platform, -display, …) também são aceitas. O Corvane precisa de uma
sessão gráfica (WAYLAND_DISPLAY ou DISPLAY); sem ela, ele avisa e termina com o status 1, mas
--toggle, --show, --settings e --quit ainda chegam a um Corvane em execução.
</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Configurações não salvas</translation>
    </message>
    <message>
        <source>Launch at login not changed</source>
        <translation>Início ao entrar na sessão não alterado</translation>
    </message>
    <message>
        <source>Hot key unavailable</source>
        <translation>Atalho indisponível</translation>
    </message>
    <message>
        <source>%1 is %2. Choose another shortcut in the settings.</source>
        <translation>%1 está %2. Escolha outro atalho nas configurações.</translation>
    </message>
    <message>
        <source>The desktop did not bind %1. Choose another shortcut in the settings.</source>
        <translation>O ambiente de trabalho não associou %1. Escolha outro atalho nas configurações.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Choose another shortcut in the settings.</source>
        <translation>%1 está em uso por outro programa. Escolha outro atalho nas configurações.</translation>
    </message>
    <message>
        <source>Which app is in front?</source>
        <translation>Qual aplicativo está em primeiro plano?</translation>
    </message>
    <message>
        <source>Corvane cannot tell which app you are using until its GNOME Shell extension runs. Its settings show how to turn it on.</source>
        <translation>O Corvane não consegue saber qual aplicativo você está usando até que a extensão do GNOME Shell dele esteja em execução. As configurações dele mostram como ativá-la.</translation>
    </message>
</context>
</TS>
