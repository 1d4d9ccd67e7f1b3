<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>CorvaneRootView</name>
    <message>
        <source>Find a shortcut…</source>
        <translation>ショートカットを検索…</translation>
    </message>
    <message>
        <source>Search shortcuts</source>
        <translation>ショートカットを検索</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <comment>a program in a terminal or multiplexer</comment>
        <translation>%2 内の %1</translation>
    </message>
</context>
<context>
    <name>EmptyStateView</name>
    <message>
        <source>No matching shortcuts</source>
        <translation>一致するショートカットはありません</translation>
    </message>
    <message>
        <source>No shortcuts available</source>
        <translation>利用できるショートカットはありません</translation>
    </message>
</context>
<context>
    <name>ExtensionStateView</name>
    <message>
        <source>Turn On</source>
        <translation>オンにする</translation>
    </message>
    <message>
        <source>GNOME Shell has not said whether Corvane&apos;s extension runs.</source>
        <translation>Corvane の拡張機能が動作しているかどうか、GNOME Shell から応答がありません。</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is not installed: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>Corvane の GNOME Shell 拡張機能がインストールされていません。パネルは使用中のアプリを判別できず、表示位置は GNOME が決めます。</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is installed. Log out and back in to start it.</source>
        <translation>Corvane の GNOME Shell 拡張機能はインストール済みです。ログアウトして再ログインすると起動します。</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is off: the panel cannot tell which app you are using, and GNOME places it.</source>
        <translation>Corvane の GNOME Shell 拡張機能はオフです。パネルは使用中のアプリを判別できず、表示位置は GNOME が決めます。</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is on.</source>
        <translation>Corvane の GNOME Shell 拡張機能はオンです。</translation>
    </message>
    <message>
        <source>GNOME Shell could not run Corvane&apos;s extension. The Extensions app shows why.</source>
        <translation>GNOME Shell は Corvane の拡張機能を実行できませんでした。「拡張機能」アプリで理由を確認できます。</translation>
    </message>
</context>
<context>
    <name>HotKeyDesktopNote</name>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Bind this command to a key in its keyboard settings:</source>
        <translation>このデスクトップでは、プログラムがグローバルキーを取得できません。キーボード設定でこのコマンドをキーに割り当ててください:</translation>
    </message>
    <message>
        <source>This desktop lets no program take a global key. Add this line to its configuration:</source>
        <translation>このデスクトップでは、プログラムがグローバルキーを取得できません。設定ファイルに次の行を追加してください:</translation>
    </message>
    <message>
        <source>(%1 is already %2 there: record another key first.)</source>
        <translation>(%1 はそこですでに %2 です。先に別のキーを記録してください。)</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane; it has not said which keys it bound yet.</source>
        <translation>デスクトップがこのショートカットを Corvane のために実行します。割り当てたキーはまだ通知されていません。</translation>
    </message>
    <message>
        <source>Your desktop runs this shortcut for Corvane: %1</source>
        <translation>デスクトップがこのショートカットを Corvane のために実行します: %1</translation>
    </message>
    <message>
        <source>GNOME runs this shortcut for Corvane (Settings → Keyboard → Custom Shortcuts).</source>
        <translation>GNOME がこのショートカットを Corvane のために実行します (設定 → キーボード → カスタムショートカット)。</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorder</name>
    <message>
        <source>Shift with %1 would type nothing in any other application. Add Ctrl, Alt or Super.</source>
        <translation>Shift と %1 では、ほかのアプリで何も入力できなくなります。Ctrl、Alt、Super のいずれかを加えてください。</translation>
    </message>
</context>
<context>
    <name>HotKeyRecorderView</name>
    <message>
        <source>Click, then press the new combination (Esc cancels)</source>
        <translation>クリックしてから新しい組み合わせを押してください (Esc でキャンセル)</translation>
    </message>
    <message>
        <source>Press keys…</source>
        <translation>キーを押してください…</translation>
    </message>
    <message>
        <source>Current shortcut: %1</source>
        <translation>現在のショートカット: %1</translation>
    </message>
    <message>
        <source>Hold Ctrl, Alt, Shift or Super with the key.</source>
        <translation>Ctrl、Alt、Shift、Super のいずれかを押しながらキーを押してください。</translation>
    </message>
    <message>
        <source>This key cannot be the hot key; try another.</source>
        <translation>このキーは呼び出しキーにできません。別のキーを試してください。</translation>
    </message>
</context>
<context>
    <name>JsonDefaultsStore</name>
    <message>
        <source>Corvane could not save its settings to %1: %2. Your changes are kept while Corvane runs.</source>
        <translation>Corvane は設定を %1 に保存できませんでした: %2。変更内容は Corvane の実行中は保持されます。</translation>
    </message>
</context>
<context>
    <name>KeyCapView</name>
    <message>
        <source>then</source>
        <translation>次に</translation>
    </message>
</context>
<context>
    <name>KeyLabels</name>
    <message>
        <source>Click</source>
        <translation>クリック</translation>
    </message>
    <message>
        <source>Right-click</source>
        <translation>右クリック</translation>
    </message>
    <message>
        <source>Middle-click</source>
        <translation>中クリック</translation>
    </message>
    <message>
        <source>Double-click</source>
        <translation>ダブルクリック</translation>
    </message>
    <message>
        <source>Triple-click</source>
        <translation>トリプルクリック</translation>
    </message>
    <message>
        <source>Drag</source>
        <translation>ドラッグ</translation>
    </message>
    <message>
        <source>Right-drag</source>
        <translation>右ドラッグ</translation>
    </message>
    <message>
        <source>Middle-drag</source>
        <translation>中ドラッグ</translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation>スクロール</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>上へスクロール</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>下へスクロール</translation>
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
        <translation>BackSpace</translation>
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
        <translation>Space</translation>
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
        <translation>音量を上げる</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>音量を下げる</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>消音</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>再生/一時停止</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>次のトラック</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>前のトラック</translation>
    </message>
    <message>
        <source>Brightness Up</source>
        <translation>輝度を上げる</translation>
    </message>
    <message>
        <source>Brightness Down</source>
        <translation>輝度を下げる</translation>
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
        <translation>Num 上</translation>
    </message>
    <message>
        <source>Num Down</source>
        <translation>Num 下</translation>
    </message>
    <message>
        <source>Num Left</source>
        <translation>Num 左</translation>
    </message>
    <message>
        <source>Num Right</source>
        <translation>Num 右</translation>
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
        <translation>上</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Minus</source>
        <translation>マイナス</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>プラス</translation>
    </message>
    <message>
        <source>, then </source>
        <comment>between the chords of a key sequence read aloud</comment>
        <translation>、次に </translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>previous, next shortcut</source>
        <translation>前、次のショートカット</translation>
    </message>
    <message>
        <source>a page up, down</source>
        <translation>1 ページ上、下</translation>
    </message>
    <message>
        <source>first, last shortcut</source>
        <translation>最初、最後のショートカット</translation>
    </message>
    <message>
        <source>mark or unmark a favorite</source>
        <translation>お気に入りに追加、解除</translation>
    </message>
    <message>
        <source>fold the selected shortcut&apos;s application</source>
        <translation>選択したショートカットのアプリを折りたたむ</translation>
    </message>
    <message>
        <source>unfold every application</source>
        <translation>すべてのアプリを展開</translation>
    </message>
    <message>
        <source>close</source>
        <translation>閉じる</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>ショートカット %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>navigate</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>page</source>
        <translation>ページ</translation>
    </message>
    <message>
        <source>favorite</source>
        <translation>お気に入り</translation>
    </message>
    <message>
        <source>collapse</source>
        <translation>折りたたむ</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show or hide the shortcut panel</source>
        <translation>ショートカットパネルの表示/非表示</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Shortcuts</source>
        <translation>ショートカット</translation>
    </message>
    <message>
        <source>1 shortcut</source>
        <translation>ショートカット 1 件</translation>
    </message>
    <message numerus="yes">
        <source>%n shortcuts</source>
        <translation>
            <numerusform>ショートカット %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>the application in front</source>
        <translation>前面のアプリ</translation>
    </message>
    <message>
        <source>favourite</source>
        <translation>お気に入り</translation>
    </message>
    <message>
        <source>Corvane Settings</source>
        <translation>Corvane の設定</translation>
    </message>
</context>
<context>
    <name>SectionHeaderView</name>
    <message>
        <source>Show shortcuts</source>
        <translation>ショートカットを表示</translation>
    </message>
    <message>
        <source>Hide shortcuts</source>
        <translation>ショートカットを隠す</translation>
    </message>
    <message>
        <source>ACTIVE</source>
        <translation>使用中</translation>
    </message>
    <message>
        <source>from the application</source>
        <translation>アプリから取得</translation>
    </message>
</context>
<context>
    <name>SectionListView</name>
    <message>
        <source>No shortcuts for %1 yet</source>
        <translation>%1 のショートカットはまだありません</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Shortcut data: Corvane Shortcut Data, licensed under CC BY-SA 4.0, © 2026 The Corvane developers.</source>
        <translation>ショートカットデータ: Corvane Shortcut Data、CC BY-SA 4.0 ライセンス、© 2026 The Corvane developers。</translation>
    </message>
    <message>
        <source>Activation</source>
        <translation>呼び出し</translation>
    </message>
    <message>
        <source>Trigger shortcut</source>
        <translation>呼び出しショートカット</translation>
    </message>
    <message>
        <source>Press this shortcut from any app to open Corvane.</source>
        <translation>どのアプリからでもこのショートカットを押すと Corvane が開きます。</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>外観</translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation>アクセントカラー</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>記号</translation>
    </message>
    <message>
        <source>Key labels</source>
        <translation>キーの表示</translation>
    </message>
    <message>
        <source>Apps</source>
        <translation>アプリ</translation>
    </message>
    <message>
        <source>When on, apps you don&apos;t have installed are hidden from the list.</source>
        <translation>オンにすると、インストールしていないアプリは一覧に表示されません。</translation>
    </message>
    <message>
        <source>Read shortcuts from installed applications</source>
        <translation>インストール済みアプリからショートカットを読み込む</translation>
    </message>
    <message>
        <source>Change…</source>
        <translation>変更…</translation>
    </message>
    <message>
        <source>Only show apps installed on this Mac</source>
        <translation>この Mac にインストールされたアプリのみ表示</translation>
    </message>
    <message>
        <source>Only show apps installed on this computer</source>
        <translation>このコンピューターにインストールされたアプリのみ表示</translation>
    </message>
</context>
<context>
    <name>ShortcutRowView</name>
    <message>
        <source>Click to favorite • %1</source>
        <translation>クリックでお気に入りに追加 • %1</translation>
    </message>
    <message>
        <source>Customised in %1</source>
        <translation>%1 でカスタマイズ済み</translation>
    </message>
    <message>
        <source>Default: %1</source>
        <translation>デフォルト: %1</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>Settings…</source>
        <translation>設定…</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message>
        <source>Quit Corvane</source>
        <translation>Corvane を終了</translation>
    </message>
    <message>
        <source>Show Shortcuts</source>
        <translation>ショートカットを表示</translation>
    </message>
    <message>
        <source>no hot key</source>
        <translation>キーなし</translation>
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
        <translation>使い方: corvane [オプション]…
作業中のアプリのキーボードショートカットを表示します。Corvane はシステムトレイに常駐し、そのショートカット
(設定で変更しない限り Ctrl+Super+Space) でパネルを開きます。
Corvane はセッションごとに 1 つだけ動作します。後から起動すると、その要求は実行中の Corvane に渡されます。

  --toggle              パネルを表示する (開いている場合は隠す)
  --show                パネルを表示する
  --settings            設定を開く
  --quit                実行中の Corvane を終了する
  --show-on-launch      ほかのウィンドウにフォーカスが移ってもパネルを表示したままにする
  --unregister-desktop  Corvane がデスクトップの設定に登録したもの (GNOME のカスタムショートカット)
                        を削除して終了する (アンインストール時に実行されます)
  -h, --help            このヘルプを表示して終了する
  --version             バージョンを表示して終了する

Qt 自身のオプション (-platform、-display など) も使えます。Corvane にはグラフィカルセッション
(WAYLAND_DISPLAY または DISPLAY) が必要です。ない場合はその旨を表示してステータス 1 で終了しますが、
--toggle、--show、--settings、--quit は実行中の Corvane に届きます。
</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>設定は保存されませんでした</translation>
    </message>
    <message>
        <source>Launch at login not changed</source>
        <translation>ログイン時の起動は変更されませんでした</translation>
    </message>
    <message>
        <source>Hot key unavailable</source>
        <translation>ショートカットを使用できません</translation>
    </message>
    <message>
        <source>%1 is %2. Choose another shortcut in the settings.</source>
        <translation>%1 は %2 です。設定で別のショートカットを選んでください。</translation>
    </message>
    <message>
        <source>The desktop did not bind %1. Choose another shortcut in the settings.</source>
        <translation>デスクトップは %1 を割り当てませんでした。設定で別のショートカットを選んでください。</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Choose another shortcut in the settings.</source>
        <translation>%1 は別のプログラムが使用しています。設定で別のショートカットを選んでください。</translation>
    </message>
    <message>
        <source>Which app is in front?</source>
        <translation>前面にあるのはどのアプリですか?</translation>
    </message>
    <message>
        <source>Corvane cannot tell which app you are using until its GNOME Shell extension runs. Its settings show how to turn it on.</source>
        <translation>GNOME Shell 拡張機能が動作するまで、Corvane は使用中のアプリを判別できません。有効にする方法は Corvane の設定で確認できます。</translation>
    </message>
</context>
</TS>
