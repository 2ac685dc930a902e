<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>AddressBar</name>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>IP履歴のクリア</source>
        <translation>Clear Address History</translation>
    </message>
    <message>
        <source>接続したいホストのアドレスを入れます</source>
        <translation>Type the address of the host to join</translation>
    </message>
    <message>
        <source>クリップボードの内容を貼り付けます</source>
        <translation>Paste from the clipboard</translation>
    </message>
    <message>
        <source>指定されたアドレスのゲームに接続します</source>
        <translation>Join the game at this address</translation>
    </message>
    <message>
        <source>接続したIPの履歴をクリアします</source>
        <translation>Clear the history of joined addresses?</translation>
    </message>
</context>
<context>
    <name>AddressEntry</name>
    <message>
        <source>接続</source>
        <translation>Join</translation>
    </message>
</context>
<context>
    <name>BmpReader</name>
    <message>
        <source>BMPファイルではありません</source>
        <translation>Not a BMP file</translation>
    </message>
    <message>
        <source>ファイルが途中で切れています</source>
        <translation>The file is cut short</translation>
    </message>
    <message>
        <source>この形式のBMPファイルには対応していません</source>
        <translation>This kind of BMP file is not supported</translation>
    </message>
    <message>
        <source>空のファイルです</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>画像が大きすぎます（%1 × %2）</source>
        <translation>The picture is too large (%1 × %2)</translation>
    </message>
    <message>
        <source>中止しました</source>
        <translation>Cancelled</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>%1 に書き込めません</source>
        <translation>Cannot write to %1</translation>
    </message>
    <message>
        <source>%1 を読み込めません</source>
        <translation>Cannot read %1</translation>
    </message>
    <message>
        <source>
（%1）</source>
        <translation>
(%1)</translation>
    </message>
</context>
<context>
    <name>GameLauncher</name>
    <message>
        <source>%1に接続中...</source>
        <translation>Joining %1...</translation>
    </message>
    <message>
        <source>ＧＲホストを作成中...</source>
        <translation>Hosting a game...</translation>
    </message>
    <message>
        <source>専用ホストを作成中...</source>
        <translation>Running a dedicated host...</translation>
    </message>
    <message>
        <source>GhostReconを実行中...</source>
        <translation>Ghost Recon is running...</translation>
    </message>
    <message>
        <source>専用ホストが起動後%1秒以内に%2回続けて終了したため、
自動再起動を中止しました。
Ghost Reconの設定を確認してから、もう一度専用ホストを作成してください。</source>
        <translation>The dedicated host ended within %1 seconds of starting, %2 times in a row,
so automatic restart has been stopped.
Check the Ghost Recon settings, then start the dedicated host again.</translation>
    </message>
</context>
<context>
    <name>GeneralPage</name>
    <message>
        <source>現在の設定を保存します</source>
        <translation>Save the current settings</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>全般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>フルスクリーン表示</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>フレームレートの表示</source>
        <translation>Show frame rate</translation>
    </message>
    <message>
        <source>脅威インジケーターの表示</source>
        <translation>Show threat indicator</translation>
    </message>
    <message>
        <source>死体の表示</source>
        <translation>Show bodies</translation>
    </message>
    <message>
        <source>血の表示</source>
        <translation>Show blood</translation>
    </message>
    <message>
        <source>ソフトウェア・サウンドの使用</source>
        <translation>Software sound</translation>
    </message>
    <message>
        <source>レティクル色</source>
        <translation>Reticle colour</translation>
    </message>
    <message>
        <source>敵に銃口を向けたときの照準の色</source>
        <translation>Reticle colour when aiming at an enemy</translation>
    </message>
    <message>
        <source>IFFレティクル色</source>
        <translation>IFF reticle colour</translation>
    </message>
    <message>
        <source>味方に銃口を向けたときの照準の色</source>
        <translation>Reticle colour when aiming at a friend</translation>
    </message>
    <message>
        <source>初期色に戻します</source>
        <translation>Back to the default colours</translation>
    </message>
    <message>
        <source>初期色</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>グラフィック・オプション</source>
        <translation>Graphics</translation>
    </message>
    <message>
        <source>解像度</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>色数</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄ</source>
        <translation>bit</translation>
    </message>
    <message>
        <source>ガンマ値</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>暗</source>
        <translation>-</translation>
    </message>
    <message>
        <source>明</source>
        <translation>+</translation>
    </message>
    <message>
        <source>初期値</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>テクスチャの圧縮</source>
        <translation>Texture compression</translation>
    </message>
</context>
<context>
    <name>HostCreationPanel</name>
    <message>
        <source>ホスト作成(&amp;S)</source>
        <translation>Ho&amp;st Game</translation>
    </message>
    <message>
        <source>専用ホスト作成</source>
        <translation>Dedicated Host</translation>
    </message>
    <message>
        <source>ＧＲ自動再起動（専用ホストのみ）</source>
        <translation>Auto-restart</translation>
    </message>
    <message>
        <source>自分がホストになってゲームを始めます</source>
        <translation>Start a game with yourself as the host</translation>
    </message>
    <message>
        <source>デディケートホストを作成します</source>
        <translation>Start a dedicated host</translation>
    </message>
    <message>
        <source>専用ホストが異常終了したときに、自動で再起動します</source>
        <translation>Restart the dedicated host automatically when it crashes</translation>
    </message>
</context>
<context>
    <name>HostGridModel</name>
    <message>
        <source>-,ホストネーム,アドレス,人数[残時間]</source>
        <translation>-,Host name,Address,Players [time left]</translation>
    </message>
    <message>
        <source>ホスト名とアドレスに改行は使えません</source>
        <translation>A host name or address cannot contain a line break</translation>
    </message>
</context>
<context>
    <name>HostInfoDlg</name>
    <message>
        <source>ホストの情報</source>
        <translation>Host Information</translation>
    </message>
    <message>
        <source>ホスト情報</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>ホスト名</source>
        <translation>Host name</translation>
    </message>
    <message>
        <source>人数</source>
        <translation>Players</translation>
    </message>
    <message>
        <source>使用MOD</source>
        <translation>Mods</translation>
    </message>
    <message>
        <source>パッチ</source>
        <translation>Patch</translation>
    </message>
    <message>
        <source>マップ</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>ミッション</source>
        <translation>Mission</translation>
    </message>
    <message>
        <source>モード</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>タイプ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>プレイヤー情報</source>
        <translation>Players</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>このホストで使われているMODがインストールしてあるかどうかチェックします</source>
        <translation>Check whether the mods this host uses are installed</translation>
    </message>
    <message>
        <source>MODチェック</source>
        <translation>Check Mods</translation>
    </message>
    <message>
        <source>このホストで使われているMODだけを有効にして接続します。ゲームが終わるとMODの構成は元に戻ります</source>
        <translation>Join with only the mods this host uses; your mods are put back when the game ends</translation>
    </message>
    <message>
        <source>このMODで接続</source>
        <translation>Join with These Mods</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>HostListTransfer</name>
    <message>
        <source>ホストリスト(*.txt)|*.txt</source>
        <translation>Host list (*.txt)|*.txt</translation>
    </message>
    <message>
        <source>インポート</source>
        <translation>Import...</translation>
    </message>
    <message>
        <source>エクスポート</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>最新ホストリストをチェック</source>
        <translation>Check the Latest Host List</translation>
    </message>
    <message>
        <source>ホストリストのインポート</source>
        <translation>Import Host List</translation>
    </message>
    <message>
        <source>ホストリストのエクスポート</source>
        <translation>Export Host List</translation>
    </message>
    <message>
        <source>%1 件のデータをエクスポートしました</source>
        <translation>Exported %1 hosts</translation>
    </message>
    <message>
        <source>ダウンロードしたホストリストには、取り込めるホストがありませんでした。</source>
        <translation>The downloaded host list has no hosts that can be imported.</translation>
    </message>
</context>
<context>
    <name>HostTab</name>
    <message>
        <source>ホスト作成</source>
        <translation>Host a Game</translation>
    </message>
    <message>
        <source>モルベーン: ホストの通知</source>
        <translation>Morvane: host notification</translation>
    </message>
    <message>
        <source> (他%1件)</source>
        <translation> (and %1 more)</translation>
    </message>
</context>
<context>
    <name>HostWatches</name>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>最後の応答: %1</source>
        <translation>Last answer: %1</translation>
    </message>
    <message>
        <source>そのときの人数[残時間]: %1</source>
        <translation>Players [time left] then: %1</translation>
    </message>
    <message>
        <source>この起動中にはまだ応答がありません</source>
        <translation>No answer yet since Morvane started</translation>
    </message>
    <message>
        <source>通知: %1</source>
        <translation>Notify: %1</translation>
    </message>
</context>
<context>
    <name>HostsPage</name>
    <message>
        <source>接続したいホストをダブルクリックして下さい</source>
        <translation>Double-click a host to join it</translation>
    </message>
    <message>
        <source>選択されたホストを上に移動します</source>
        <translation>Move the selected host up</translation>
    </message>
    <message>
        <source>選択されたホストを下に移動します</source>
        <translation>Move the selected host down</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>新しいホストを登録します</source>
        <translation>Add a new host</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>選択されたホストを編集します</source>
        <translation>Edit the selected host</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>選択されたホストを削除します</source>
        <translation>Delete the selected host</translation>
    </message>
    <message>
        <source>ホストの情報</source>
        <translation>Host Information</translation>
    </message>
    <message>
        <source>接続</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>このMODで接続</source>
        <translation>Join with These Mods</translation>
    </message>
    <message>
        <source>ホストの情報で分かったMODだけを有効にして接続し、ゲームが終わったら元に戻します</source>
        <translation>Join with only the mods the host information showed, and put your mods back when the game ends</translation>
    </message>
    <message>
        <source>アドレスをコピー</source>
        <translation>Copy Address</translation>
    </message>
    <message>
        <source>選択されたホストのアドレスをクリップボードにコピーします</source>
        <translation>Copy the selected host&apos;s address to the clipboard</translation>
    </message>
    <message>
        <source>稼働中ホストを優先して並べる</source>
        <translation>List Live Hosts First</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>マトリックス</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>これ以上新たにホストを登録出来ません</source>
        <translation>No more hosts can be added</translation>
    </message>
    <message>
        <source>ホスト追加</source>
        <translation>Add Host</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>識別しやすい名前を入れましょう</source>
        <translation>Give it a name you will recognise</translation>
    </message>
    <message>
        <source>ホスト名</source>
        <translation>Host Name</translation>
    </message>
    <message>
        <source>ホスト名(入力しなくても可)</source>
        <translation>Host name (optional)</translation>
    </message>
    <message>
        <source>%1 をリストから削除しますか？</source>
        <translation>Delete %1 from the list?</translation>
    </message>
</context>
<context>
    <name>HttpTask</name>
    <message>
        <source>%1 秒以内に接続できませんでした</source>
        <translation>Could not connect within %1 seconds</translation>
    </message>
    <message>
        <source>%1 秒以内に受信が終わりませんでした</source>
        <translation>The download did not finish within %1 seconds</translation>
    </message>
    <message>
        <source>http または https のURLではありません: %1</source>
        <translation>Not an http or https URL: %1</translation>
    </message>
    <message>
        <source>受信するデータが上限の %1 バイトを超えています</source>
        <translation>The data to download is larger than the limit of %1 bytes</translation>
    </message>
    <message>
        <source>受信したデータが上限の %1 バイトを超えました</source>
        <translation>The downloaded data went over the limit of %1 bytes</translation>
    </message>
    <message>
        <source>サーバーがエラーを返しました: %1 %2</source>
        <translation>The server answered with an error: %1 %2</translation>
    </message>
    <message>
        <source>HTTP で通信する部品 %1 を読み込めません。
%2</source>
        <translation>Cannot load the network module %1.
%2</translation>
    </message>
</context>
<context>
    <name>LinksPage</name>
    <message>
        <source>MODのダウンロード</source>
        <translation>Mod Downloads</translation>
    </message>
    <message>
        <source>GhostRecon全般</source>
        <translation>Ghost Recon</translation>
    </message>
</context>
<context>
    <name>ModJoin</name>
    <message>
        <source>MODの構成を元に戻しました</source>
        <translation>Your mods have been put back</translation>
    </message>
    <message>
        <source>ホストのMODで接続したゲームが終わるまで、MODの構成は切り替えられません</source>
        <translation>The mods cannot be changed until the game joined with the host&apos;s mods ends</translation>
    </message>
    <message>
        <source>前回の「このMODで接続」のMODの構成を元に戻せていないため、MODを切り替えられません。
記録 %1 は次の起動時にもう一度使います。</source>
        <translation>The mods of the last &quot;Join with These Mods&quot; have not been put back yet, so the mods cannot be changed.
The record %1 will be used again at the next start.</translation>
    </message>
    <message>
        <source>GhostReconのフォルダが決まっていないため、MODを切り替えられません</source>
        <translation>The mods cannot be changed: no Ghost Recon folder is set</translation>
    </message>
    <message>
        <source>今のMODの構成を記録できないため、MODを切り替えられません</source>
        <translation>The mods cannot be changed: the current mods could not be recorded</translation>
    </message>
    <message>
        <source>

MODの構成を元に戻せませんでした。次の起動時にもう一度戻します。</source>
        <translation>

Your mods could not be put back. Morvane will try again at the next start.</translation>
    </message>
    <message>
        <source>前回の「このMODで接続」の記録 %1 が大きすぎるため、MODの構成を元に戻せませんでした。
記録はそのまま残します。MODタブで構成を確かめてください。</source>
        <translation>The record %1 of the last &quot;Join with These Mods&quot; is too large, so your mods could not be put back.
The record is kept. Please check your mods on the Mods tab.</translation>
    </message>
    <message>
        <source>前回の「このMODで接続」の記録 %1 が壊れていたため、MODの構成を元に戻せませんでした。
MODタブで構成を確かめてください。</source>
        <translation>The record %1 of the last &quot;Join with These Mods&quot; is damaged, so your mods could not be put back.
Please check your mods on the Mods tab.</translation>
    </message>
    <message>
        <source>前回「このMODで接続」の途中でモルベーンが終了しましたが、GhostReconのフォルダ %1 が見つからないため、MODの構成を元に戻せませんでした。
次の起動時にもう一度戻します。

元の構成: %2</source>
        <translation>Morvane ended during the last &quot;Join with These Mods&quot;, but the Ghost Recon folder %1 was not found, so your mods could not be put back.
Morvane will try again at the next start.

Your mods: %2</translation>
    </message>
    <message>
        <source>前回「このMODで接続」の途中でモルベーンが終了したため、MODの構成を元に戻しました。

%1
元の構成: %2</source>
        <translation>Morvane ended during the last &quot;Join with These Mods&quot;, so your mods have been put back.

%1
Your mods: %2</translation>
    </message>
</context>
<context>
    <name>ModLists</name>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>%1 を読み込めなかったため、MODの構成を書き換えられません</source>
        <translation>The mods cannot be changed: %1 could not be read</translation>
    </message>
    <message>
        <source>GhostReconのフォルダが決まっていないため %1 を書き込めません</source>
        <translation>Cannot write %1: no Ghost Recon folder is set</translation>
    </message>
</context>
<context>
    <name>ModsPage</name>
    <message>
        <source>MODセット</source>
        <translation>Mod set</translation>
    </message>
    <message>
        <source>現在のMOD設定を保存します</source>
        <translation>Save the current mods as this set</translation>
    </message>
    <message>
        <source>セット保存</source>
        <translation>Save Set</translation>
    </message>
    <message>
        <source>選択されているMOD設定を削除します</source>
        <translation>Delete the selected mod set</translation>
    </message>
    <message>
        <source>セット削除</source>
        <translation>Delete Set</translation>
    </message>
    <message>
        <source>外部MOD設定ファイルを登録します</source>
        <translation>Add a mod set file from elsewhere</translation>
    </message>
    <message>
        <source>使用できるMOD</source>
        <translation>Available mods</translation>
    </message>
    <message>
        <source>起動するMOD</source>
        <translation>Active mods</translation>
    </message>
    <message>
        <source>起動させたいＭＯＤをダブルクリックします</source>
        <translation>Double-click a mod to activate it</translation>
    </message>
    <message>
        <source>全てのMODを起動します</source>
        <translation>Activate all mods</translation>
    </message>
    <message>
        <source>MODを全て解除します</source>
        <translation>Deactivate all mods</translation>
    </message>
    <message>
        <source>アルファベット順に並び替えます</source>
        <translation>Sort alphabetically</translation>
    </message>
    <message>
        <source>起動させたくないＭＯＤをダブルクリックします</source>
        <translation>Double-click a mod to deactivate it</translation>
    </message>
    <message>
        <source>選択されているMODの情報を表示します</source>
        <translation>Information on the selected mod</translation>
    </message>
    <message>
        <source>MODの情報

ヒント: 起動するMODの順番に注意。ＧＲは、「起動するMOD」リストの
上から順番にMODを起動していきます。例えばDesert Siegeを必要と
するMODを起動する場合には、そのMODよりも上にDesert Siegeを設
定してください。ドラッグして優先順番を変える事が出来ます。</source>
        <translation>Mod information

Tip: the order of the active mods matters. GR loads the mods
from the top of the &quot;Active mods&quot; list down. A mod that needs
Desert Siege, for example, must come below Desert Siege.
Drag the mods to change their order.</translation>
    </message>
    <message>
        <source>エクスプローラでMODフォルダを開きます</source>
        <translation>Open the mods folder in the file manager</translation>
    </message>
    <message>
        <source>MODフォルダ</source>
        <translation>Mods Folder</translation>
    </message>
    <message>
        <source>起動するMODの名前のリストをクリップボードにコピーします</source>
        <translation>Copy the names of the active mods to the clipboard</translation>
    </message>
    <message>
        <source>クリップボードへ出力</source>
        <translation>Copy List</translation>
    </message>
    <message>
        <source>表示更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>現在のMODの構成を保存して適用します</source>
        <translation>Save and apply the current mods</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>MODの情報なし</source>
        <translation>No information on this mod</translation>
    </message>
    <message>
        <source>MODリストを常にアルファベット順に並べる</source>
        <translation>Always Sort the Mod Lists Alphabetically</translation>
    </message>
    <message>
        <source>このMODのフォルダを開く</source>
        <translation>Open This Mod&apos;s Folder</translation>
    </message>
    <message>
        <source>ホストのMODで接続中です。ゲームが終わるとMODの構成は元に戻ります。それまでMODの構成は変更できません。</source>
        <translation>Joined with the host&apos;s mods. Your mods are put back when the game ends; until then they cannot be changed.</translation>
    </message>
    <message>
        <source>フォルダが見つかりませんでした<byte value="xd"/>
%1</source>
        <translation>Folder not found<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>フォルダを開けませんでした<byte value="xd"/>
%1</source>
        <translation>Could not open the folder<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>現在の構成を保存しました</source>
        <translation>The current mods have been saved</translation>
    </message>
    <message>
        <source>&quot;%1&quot;セットを消してもよろしいですか？</source>
        <translation>Delete the set &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>セットファイルが見つかりませんでした</source>
        <translation>The set file was not found</translation>
    </message>
    <message>
        <source>MOD設定ファイルの登録</source>
        <translation>Add Mod Set File</translation>
    </message>
    <message>
        <source>MOD設定ファイル(*.mst)|*.mst</source>
        <translation>Mod set files (*.mst)|*.mst</translation>
    </message>
    <message>
        <source>既にその設定名は登録済みです</source>
        <translation>A set with that name already exists</translation>
    </message>
    <message>
        <source>既にその設定名は登録済みです<byte value="xd"/>
選んだファイルで置き換えますか？</source>
        <translation>A set with that name already exists<byte value="xd"/>
Replace it with the chosen file?</translation>
    </message>
    <message>
        <source>「%1」のセットファイルが既にあります<byte value="xd"/>
選んだファイルで置き換えますか？</source>
        <translation>A set file &quot;%1&quot; already exists<byte value="xd"/>
Replace it with the chosen file?</translation>
    </message>
    <message>
        <source>%1 設定を置き換えました</source>
        <translation>The set %1 has been replaced</translation>
    </message>
    <message>
        <source>%1 設定が登録されました</source>
        <translation>The set %1 has been added</translation>
    </message>
</context>
<context>
    <name>Module</name>
    <message>
        <source>次の場所にありません: %1</source>
        <translation>It is not in: %1</translation>
    </message>
</context>
<context>
    <name>MultiplayPage</name>
    <message>
        <source>現在の設定を保存します</source>
        <translation>Save the current settings</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>10ｷｰﾁｬｯﾄﾒｯｾｰｼﾞ</source>
        <translation>Quick chat (keys 0-9)</translation>
    </message>
    <message>
        <source>ﾒｯｾｰｼﾞ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>ﾁｰﾑ</source>
        <translation>Team</translation>
    </message>
    <message>
        <source>ﾒｯｾｰｼﾞ設定</source>
        <translation>Chat set</translation>
    </message>
    <message>
        <source>外部メッセージ設定ファイルを読み込みます</source>
        <translation>Load a chat set file from elsewhere</translation>
    </message>
    <message>
        <source>設定ファイルを保存します</source>
        <translation>Save the chat set</translation>
    </message>
    <message>
        <source>メッセージ設定を複製します</source>
        <translation>Copy the chat set</translation>
    </message>
    <message>
        <source>選択されたメッセージ設定を削除します</source>
        <translation>Delete the selected chat set</translation>
    </message>
    <message>
        <source>プレイヤー名</source>
        <translation>Player name</translation>
    </message>
    <message>
        <source>ゲーム中の名前※日本語は落ちる事あり</source>
        <translation>Your name in the game (Japanese text may crash the game)</translation>
    </message>
    <message>
        <source>ホスト名</source>
        <translation>Host name</translation>
    </message>
    <message>
        <source>あなたが作るホストの名前</source>
        <translation>The name of the games you host</translation>
    </message>
    <message>
        <source>ホストメッセージ</source>
        <translation>Host message</translation>
    </message>
    <message>
        <source>ログインした時に表示されるメッセージ</source>
        <translation>The message players see when they join</translation>
    </message>
    <message>
        <source>ﾁｰﾑ %1</source>
        <translation>Team %1</translation>
    </message>
    <message>
        <source>ﾒｯｾｰｼﾞ %1</source>
        <translation>Message %1</translation>
    </message>
    <message>
        <source>名前を付けてください。拡張子などは一切要りません。</source>
        <translation>Please give it a name, without any extension.</translation>
    </message>
    <message>
        <source>複製</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>設定の名前(拡張子無し)</source>
        <translation>Name of the set (no extension)</translation>
    </message>
    <message>
        <source>%1のコピー</source>
        <translation>Copy of %1</translation>
    </message>
    <message>
        <source>複製に失敗しました。名前が重複しているか、空き容量が足りません</source>
        <translation>Could not copy: the name is taken or the disk is full</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 設定を削除しますか？</source>
        <translation>Delete the chat set &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>ファイルが削除出来ませんでした</source>
        <translation>The file could not be deleted</translation>
    </message>
</context>
<context>
    <name>MusicFiles</name>
    <message>
        <source>バックアップフォルダ %1 を作れません</source>
        <translation>Cannot make the backup folder %1</translation>
    </message>
    <message>
        <source>%1 をバックアップできません
（%2）</source>
        <translation>Cannot back up %1
(%2)</translation>
    </message>
    <message>
        <source>フォルダです</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>%1 が見つかりません</source>
        <translation>%1 was not found</translation>
    </message>
    <message>
        <source>ファイルではなくフォルダです</source>
        <translation>It is a folder, not a file</translation>
    </message>
    <message>
        <source>%1 はWAVファイルではありません</source>
        <translation>%1 is not a WAV file</translation>
    </message>
    <message>
        <source>
（%1）</source>
        <translation>
(%1)</translation>
    </message>
    <message>
        <source>ミュージックフォルダ %1 が見つかりません</source>
        <translation>The music folder %1 was not found</translation>
    </message>
    <message>
        <source>%1 を %2 に戻せません
（%3）</source>
        <translation>Cannot put %1 back as %2
(%3)</translation>
    </message>
</context>
<context>
    <name>MusicPage</name>
    <message>
        <source>メインテーマ</source>
        <translation>Main theme</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>アクション＆メイン画面</source>
        <translation>Action and main menu</translation>
    </message>
    <message>
        <source>ミッションロード中1</source>
        <translation>Mission loading 1</translation>
    </message>
    <message>
        <source>ミッションロード中2</source>
        <translation>Mission loading 2</translation>
    </message>
    <message>
        <source>ミッション成功</source>
        <translation>Mission success</translation>
    </message>
    <message>
        <source>ミッション失敗</source>
        <translation>Mission failure</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>初期設定に戻す</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>WAVファイル(*.wav)|*.wav</source>
        <translation>WAV files (*.wav)|*.wav</translation>
    </message>
    <message>
        <source>変更するサウンドが設定されていません;;</source>
        <translation>No sound has been chosen to change</translation>
    </message>
    <message>
        <source>サウンドが適用されました</source>
        <translation>The sounds have been applied</translation>
    </message>
    <message>
        <source>次のサウンドは適用できませんでした。ゲームのファイルはそのままです。</source>
        <translation>These sounds could not be applied; the game&apos;s files are unchanged.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
ほかのサウンドは適用されました</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
The other sounds have been applied</translation>
    </message>
    <message>
        <source>全て初期設定に戻します。よろしいですか？</source>
        <translation>Put all the music back to the game&apos;s own?</translation>
    </message>
    <message>
        <source>次のファイルを元に戻せませんでした。バックアップは %1 に残っています。</source>
        <translation>These files could not be put back. The backups are still in %1.</translation>
    </message>
</context>
<context>
    <name>OptionsEditor</name>
    <message>
        <source>設定ファイル再読込(&amp;R)</source>
        <translation>&amp;Reload Game Options</translation>
    </message>
    <message>
        <source>%1 を読み込めなかったため、設定を保存できませんでした</source>
        <translation>The settings were not saved: %1 could not be read</translation>
    </message>
    <message>
        <source>%1 が見つからないため、設定を保存できませんでした</source>
        <translation>The settings were not saved: %1 was not found</translation>
    </message>
    <message>
        <source>現在の設定を保存しました</source>
        <translation>The current settings have been saved</translation>
    </message>
    <message>
        <source>現在設定中の全ての設定が失われます。<byte value="xd"/>
設定を前回保存の状態に戻しますか？</source>
        <translation>All unsaved changes will be lost.<byte value="xd"/>
Go back to the settings as last saved?</translation>
    </message>
</context>
<context>
    <name>PlayerListModel</name>
    <message>
        <source>プレイヤー名</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>チーム</source>
        <translation>Team</translation>
    </message>
</context>
<context>
    <name>PublicAddressPanel</name>
    <message>
        <source>あなたのグローバルＩＰ</source>
        <translation>Your public IP</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>起動時にＩＰを取得</source>
        <translation>Get the Public IP at Start-up</translation>
    </message>
    <message>
        <source>IPをクリップボードにコピーします</source>
        <translation>Copy the IP to the clipboard</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>取得</source>
        <translation>Get</translation>
    </message>
    <message>
        <source>グローバルIPアドレスの取得を中止します</source>
        <translation>Stop getting the public IP address</translation>
    </message>
    <message>
        <source>あなたのグローバルIPアドレスを取得します</source>
        <translation>Get your public IP address</translation>
    </message>
</context>
<context>
    <name>QtPrompter</name>
    <message>
        <source>モルベーン</source>
        <translation>Morvane</translation>
    </message>
</context>
<context>
    <name>ScreenshotPage</name>
    <message>
        <source>%1 が見つかりません</source>
        <translation>%1 was not found</translation>
    </message>
    <message>
        <source>%1 を開けません</source>
        <translation>Cannot open %1</translation>
    </message>
</context>
<context>
    <name>SoundPreview</name>
    <message>
        <source>音声を再生する部品 %1 を読み込めません。
%2</source>
        <translation>Cannot load the sound player module %1.
%2</translation>
    </message>
</context>
<context>
    <name>StatusCheck</name>
    <message>
        <source>ﾁｪｯｸ開始</source>
        <translation>Start Check</translation>
    </message>
    <message>
        <source>ﾁｪｯｸ停止</source>
        <translation>Stop Check</translation>
    </message>
    <message>
        <source>ﾁｪｯｸ...</source>
        <translation>Checking...</translation>
    </message>
    <message>
        <source>停止中..</source>
        <translation>Stopping..</translation>
    </message>
    <message>
        <source>登録されているホストの稼働状況チェックを開始します</source>
        <translation>Start checking which of your hosts are up</translation>
    </message>
    <message>
        <source>稼働チェックを停止します</source>
        <translation>Stop checking the hosts</translation>
    </message>
    <message>
        <source>10秒</source>
        <translation>10 seconds</translation>
    </message>
    <message>
        <source>20秒</source>
        <translation>20 seconds</translation>
    </message>
    <message>
        <source>30秒</source>
        <translation>30 seconds</translation>
    </message>
    <message>
        <source>１分</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>２分</source>
        <translation>2 minutes</translation>
    </message>
    <message>
        <source>３分</source>
        <translation>3 minutes</translation>
    </message>
    <message>
        <source>５分</source>
        <translation>5 minutes</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>バージョン情報</source>
        <translation>About Morvane</translation>
    </message>
    <message>
        <source>モルベーン</source>
        <translation>Morvane</translation>
    </message>
    <message>
        <source>モルベーン
Ghost Recon コンパニオン

ホストの稼働チェックに qstat を使っています
Qt 6 で作られています

遊んでくれるすべてのプレイヤーに感謝します</source>
        <translation>Morvane
Ghost Recon companion

Checks hosts with qstat
Made with Qt 6

Thanks to every player still playing</translation>
    </message>
    <message>
        <source>ホームページ</source>
        <translation>Home page</translation>
    </message>
    <message>
        <source>作者にメールを送る</source>
        <translation>Mail the author</translation>
    </message>
</context>
<context>
    <name>THostEditDlg</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>空きが出たら通知</source>
        <translation>Notify when a slot is free</translation>
    </message>
    <message>
        <source>ホストの編集</source>
        <translation>Edit Host</translation>
    </message>
    <message>
        <source>ホストに分かりやすい名前を付けることができます</source>
        <translation>Give the host a name you will recognise</translation>
    </message>
    <message>
        <source>ホストのIPアドレスかドメインを入力します</source>
        <translation>The host&apos;s IP address or domain name</translation>
    </message>
    <message>
        <source>ホスト名</source>
        <translation>Host name</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>ﾁｪｯｸ中の通知</source>
        <translation>Notify while checking</translation>
    </message>
    <message>
        <source>稼働状況チェック中に条件を満たすと、通知領域でお知らせします</source>
        <translation>While the hosts are checked, tell me in the notification area when this happens</translation>
    </message>
    <message>
        <source>人以上で通知</source>
        <translation>or more players</translation>
    </message>
    <message>
        <source>IPは必ず入力してください</source>
        <translation>Please enter the IP address</translation>
    </message>
</context>
<context>
    <name>THostInfoDlg</name>
    <message>
        <source>情報を取得しています...</source>
        <translation>Getting the host information...</translation>
    </message>
    <message>
        <source>ホスト非稼働</source>
        <translation>Host not up</translation>
    </message>
    <message>
        <source>MODは全てインストール済みです</source>
        <translation>All the mods are installed</translation>
    </message>
</context>
<context>
    <name>THostList</name>
    <message>
        <source>ホストリストが見つかりませんでした。<byte value="xd"/>
インターネットから最新のホストリストをダウンロードすることが出来ます。<byte value="xd"/>
ダウンロードを実行しますか？</source>
        <translation>No host list was found.<byte value="xd"/>
The latest host list can be downloaded from the Internet.<byte value="xd"/>
Download it now?</translation>
    </message>
</context>
<context>
    <name>THostListDlg</name>
    <message>
        <source>新規ホスト</source>
        <translation>New</translation>
    </message>
    <message>
        <source>登録済み</source>
        <translation>Listed</translation>
    </message>
    <message>
        <source>最新のホストリスト</source>
        <translation>Latest Host List</translation>
    </message>
    <message>
        <source>取り込みたいホスト情報をチェックし、「取込」ボタンを押してください</source>
        <translation>Tick the hosts you want, then press &quot;Import&quot;</translation>
    </message>
    <message>
        <source>ホスト名</source>
        <translation>Host name</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>全て</source>
        <translation>All</translation>
    </message>
    <message>
        <source>取込</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>指定されたホストの情報を取り込みますか？</source>
        <translation>Import the ticked hosts?</translation>
    </message>
    <message>
        <source>これ以上ホストを追加できません。不必要なホスト情報を削除してください</source>
        <translation>No more hosts can be added. Please delete hosts you no longer need</translation>
    </message>
    <message>
        <source>%1 件のホスト情報を取り込みました</source>
        <translation>Imported %1 hosts</translation>
    </message>
</context>
<context>
    <name>TIPConnectionDlg</name>
    <message>
        <source>やめる</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>IP指定接続</source>
        <translation>Join by IP</translation>
    </message>
    <message>
        <source>ホストアドレス</source>
        <translation>Host address</translation>
    </message>
</context>
<context>
    <name>TImgCustomTest</name>
    <message>
        <source>メモリが足りません</source>
        <translation>Out of memory</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>モルベーン</source>
        <translation>Morvane</translation>
    </message>
    <message>
        <source>ホスト</source>
        <translation>Hosts</translation>
    </message>
    <message>
        <source>MOD</source>
        <translation>Mods</translation>
    </message>
    <message>
        <source>ﾏﾙﾁﾌﾟﾚｲ</source>
        <translation>Multiplayer</translation>
    </message>
    <message>
        <source>SSビュー</source>
        <translation>Shots</translation>
    </message>
    <message>
        <source>一般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>ミュージック</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>全般</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>リンク</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Ghost Recon起動</source>
        <translation>Start Ghost Recon</translation>
    </message>
    <message>
        <source>Ghost Reconを起動します</source>
        <translation>Start Ghost Recon</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>ホストリスト</source>
        <translation>Host List</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>最小化でタスクトレイに入る</source>
        <translation>Minimise to the Notification Area</translation>
    </message>
    <message>
        <source>終了までタスクトレイで起動し続ける</source>
        <translation>Keep Running in the Notification Area</translation>
    </message>
    <message>
        <source>メニューから終了しない限り、終了しません</source>
        <translation>Morvane ends only through Exit in the menu</translation>
    </message>
    <message>
        <source>ホストチェック間隔</source>
        <translation>Host Check Interval</translation>
    </message>
    <message>
        <source>ホストビューカラー</source>
        <translation>Host List Colours</translation>
    </message>
    <message>
        <source>GhostReconフォルダ指定</source>
        <translation>Choose Ghost Recon Folder...</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>モルベーンを表示</source>
        <translation>Show Morvane</translation>
    </message>
    <message>
        <source>IP指定接続</source>
        <translation>Join by IP...</translation>
    </message>
    <message>
        <source>モルベーンを終了</source>
        <translation>Exit Morvane</translation>
    </message>
    <message>
        <source>設定ファイルが見つかりませんでした<byte value="xd"/>
GhostReconを起動し、初期設定を行ってください</source>
        <translation>The game&apos;s options file was not found<byte value="xd"/>
Start Ghost Recon once and set it up first</translation>
    </message>
    <message>
        <source>表示する言語は、次にモルベーンを起動したときから切り替わります</source>
        <translation>The new language takes effect the next time Morvane starts.</translation>
    </message>
</context>
<context>
    <name>TModChkForm</name>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>このホストに入る前に以下のMODをインストールする必要があります</source>
        <translation>Install these mods before joining this host</translation>
    </message>
</context>
<context>
    <name>TStateInfoForm</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>モルベーン</source>
        <translation>Morvane</translation>
    </message>
    <message>
        <source>GhostReconを実行中...</source>
        <translation>Ghost Recon is running...</translation>
    </message>
</context>
<context>
    <name>TXMLParser</name>
    <message>
        <source>ファイルがありません</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>%1 に &lt;%2&gt; セクションがありません</source>
        <translation>%1 has no &lt;%2&gt; section</translation>
    </message>
    <message>
        <source>%1 の &lt;%2&gt; セクションが途中で終わっています</source>
        <translation>The &lt;%2&gt; section of %1 is cut short</translation>
    </message>
    <message>
        <source>%1 の &lt;%2&gt;: %3</source>
        <translation>%1, &lt;%2&gt;: %3</translation>
    </message>
    <message>
        <source>%1 の &lt;%2&gt; セクションに &lt;%3&gt; の行がありません</source>
        <translation>The &lt;%2&gt; section of %1 has no &lt;%3&gt; line</translation>
    </message>
    <message>
        <source>%1 に &lt;%2&gt; の行がありません</source>
        <translation>%1 has no &lt;%2&gt; line</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>モルベーン</source>
        <translation>Morvane</translation>
    </message>
</context>
<context>
    <name>chatsetfile</name>
    <message>
        <source>現在の設定</source>
        <translation>Current</translation>
    </message>
</context>
<context>
    <name>cp932</name>
    <message>
        <source>「%1」(U+%2) は Shift-JIS で保存できない文字のため使えません</source>
        <translation>&quot;%1&quot; (U+%2) cannot be used: Shift-JIS cannot hold it</translation>
    </message>
</context>
<context>
    <name>filenames</name>
    <message>
        <source>「%1」は名前に使えません。<byte value="xd"/>
空の名前、「.」「..」、/ \ : * ? &quot; &lt; &gt; | を含む名前は付けられません。</source>
        <translation>&quot;%1&quot; cannot be used as a name.<byte value="xd"/>
A name cannot be empty, &quot;.&quot; or &quot;..&quot;, or contain / \ : * ? &quot; &lt; &gt; |</translation>
    </message>
</context>
<context>
    <name>gamefolder</name>
    <message>
        <source>このフォルダは設定に保存できないため選べません。<byte value="xd"/>
</source>
        <translation>This folder cannot be chosen: its path cannot be saved in the settings.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Ghostrecon.exeの含まれる場所を指定してください</source>
        <translation>Please choose the folder that holds GhostRecon.exe</translation>
    </message>
    <message>
        <source>Ghostrecon.exeの位置指定</source>
        <translation>Where Is GhostRecon.exe?</translation>
    </message>
    <message>
        <source>GhostRecon.exeが見つかりませんでした<byte value="xd"/>
モルベーンを終了します</source>
        <translation>GhostRecon.exe was not found<byte value="xd"/>
Morvane will now exit</translation>
    </message>
    <message>
        <source>&quot;GhostRecon.exe&quot;が含まれるフォルダを選択してください</source>
        <translation>Choose the folder that holds &quot;GhostRecon.exe&quot;</translation>
    </message>
    <message>
        <source>指定されたフォルダに Ghostrecon.exe が含まれていません</source>
        <translation>The chosen folder does not hold GhostRecon.exe</translation>
    </message>
    <message>
        <source>現在の設定が新しいＧＲの設定に置き換わります<byte value="xd"/>
「いいえ」を選ぶと現在の設定が使われます</source>
        <translation>The settings shown will be replaced by those of the new GR folder<byte value="xd"/>
Choose &quot;No&quot; to keep the current ones</translation>
    </message>
</context>
<context>
    <name>gameprocess</name>
    <message>
        <source>%1 を起動できません。
%2</source>
        <translation>Cannot start %1.
%2</translation>
    </message>
    <message>
        <source>プログラムを開始できませんでした（%1）。</source>
        <translation>The program could not be started (%1).</translation>
    </message>
    <message>
        <source>Windows のプログラムを動かす Wine が見つかりません。Wine をインストールしてください。</source>
        <translation>Wine, which runs Windows programs, was not found. Please install Wine.</translation>
    </message>
    <message>
        <source>ゲームを動かすプログラム %1 が見つからないか、実行できません。</source>
        <translation>The program %1 that runs the game is missing or cannot be run.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>プログラムのファイルではありません。</source>
        <translation>It is not a program file.</translation>
    </message>
    <message>
        <source>実行できるプログラムではありません。</source>
        <translation>It is not a program that can be run.</translation>
    </message>
</context>
<context>
    <name>handlerguard</name>
    <message>
        <source>メモリが不足しています</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>予期しないエラーが発生しました</source>
        <translation>An unexpected error occurred</translation>
    </message>
</context>
<context>
    <name>hostinfo</name>
    <message>
        <source>アドレス %1 の情報を取得できませんでした。
</source>
        <translation>Could not get the information of %1.
</translation>
    </message>
    <message>
        <source>待機中</source>
        <translation>Waiting</translation>
    </message>
</context>
<context>
    <name>hostwatch</name>
    <message>
        <source>%1 に空きがあります  %2</source>
        <translation>%1 has a free slot  %2</translation>
    </message>
    <message>
        <source>%1 が%2人以上になりました  %3</source>
        <translation>%1 has %2 or more players  %3</translation>
    </message>
    <message>
        <source>空きが出たら通知</source>
        <translation>when a slot is free</translation>
    </message>
    <message>
        <source>%1人以上で通知</source>
        <translation>at %1 or more players</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>links</name>
    <message>
        <source>Ghost Recon用MODの大きな配布サイト</source>
        <translation>A large site of Ghost Recon mods</translation>
    </message>
    <message>
        <source>老舗の海外コミュニティ。MODやマップの情報</source>
        <translation>The long-standing community: mods and maps</translation>
    </message>
    <message>
        <source>新着MODの一覧</source>
        <translation>The newest mods</translation>
    </message>
    <message>
        <source>Ghost Reconシリーズの公式ページ</source>
        <translation>The official page of the Ghost Recon series</translation>
    </message>
    <message>
        <source>Ghost Recon（初代）の販売ページ</source>
        <translation>The original Ghost Recon, for sale</translation>
    </message>
    <message>
        <source>初代Ghost Reconの解説（英語）</source>
        <translation>About the original Ghost Recon</translation>
    </message>
</context>
<context>
    <name>modjoin</name>
    <message>
        <source>(なし)</source>
        <translation>(none)</translation>
    </message>
</context>
<context>
    <name>modsets</name>
    <message>
        <source>ファイルがありません</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>現在の設定</source>
        <translation>Current settings</translation>
    </message>
</context>
<context>
    <name>optionrules</name>
    <message>
        <source>&apos;%1&apos; は有効な整数値ではありません</source>
        <translation>&apos;%1&apos; is not a valid whole number</translation>
    </message>
    <message>
        <source>ガンマ値 %1</source>
        <translation>Gamma %1</translation>
    </message>
    <message>
        <source>「%1」 はゲームの設定ファイルにそのまま書けない文字のため使えません</source>
        <translation>&quot;%1&quot; cannot be used: the game&apos;s options file cannot hold it</translation>
    </message>
</context>
<context>
    <name>publicaddress</name>
    <message>
        <source>グローバルIPを取得できませんでした。
取得したページにアドレスが見つかりません。</source>
        <translation>Could not get the public IP.
The page had no address in it.</translation>
    </message>
    <message>
        <source>グローバルIPを取得できませんでした。
%1</source>
        <translation>Could not get the public IP.
%1</translation>
    </message>
</context>
<context>
    <name>queryproblems</name>
    <message>
        <source>空白を含むアドレスは、qstat が二つのホストとして扱います</source>
        <translation>qstat takes an address with a blank in it for two hosts</translation>
    </message>
    <message>
        <source>%1バイトを超えるアドレスでは qstat が異常終了します</source>
        <translation>qstat crashes on an address longer than %1 bytes</translation>
    </message>
    <message>
        <source>ポート番号 %1 は qstat が受け付けません</source>
        <translation>qstat does not accept the port %1</translation>
    </message>
    <message>
        <source>「%1」(%2) は確認できません: %3</source>
        <translation>Cannot check &quot;%1&quot; (%2): %3</translation>
    </message>
    <message>
        <source>qstat が %1 秒たっても終わらないため、止めました</source>
        <translation>qstat was stopped: it had not finished after %1 seconds</translation>
    </message>
    <message>
        <source>qstat が異常終了しました</source>
        <translation>qstat crashed</translation>
    </message>
    <message>
        <source>qstat がエラーで終了しました（終了コード %1）</source>
        <translation>qstat ended with an error (exit code %1)</translation>
    </message>
</context>
<context>
    <name>queryrunner</name>
    <message>
        <source>ゲームサーバーの情報を取得するプログラム qstat が見つかりません。
qstat をインストールするか、プログラムのフォルダに置いてください。

探した場所:
%1</source>
        <translation>qstat, the program that queries game servers, was not found.
Install qstat, or put it in the program folder.

Looked in:
%1</translation>
    </message>
    <message>
        <source>%1 を起動できません。
プログラムを開始できませんでした（%2）。</source>
        <translation>Cannot start %1.
The program could not be started (%2).</translation>
    </message>
</context>
<context>
    <name>textfile</name>
    <message>
        <source>ファイルではなくフォルダです</source>
        <translation>It is a folder, not a file</translation>
    </message>
</context>
<context>
    <name>webhostlist</name>
    <message>
        <source>最新のホストリストをダウンロードできませんでした。
%1</source>
        <translation>Could not download the latest host list.
%1</translation>
    </message>
    <message>
        <source>最新のホストリストの取得先が設定されていません。
Morvane.ini のセクション [%1] にキー %2 を加え、値に &quot;/Morvane/archives/hostlist.txt&quot; で終わるURLを書いてください。</source>
        <translation>No address is set for the latest host list.
Add the key %2 to section [%1] of Morvane.ini, with a URL ending in &quot;/Morvane/archives/hostlist.txt&quot; as its value.</translation>
    </message>
</context>
</TS>
