<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CConfig</name>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos;) - Attribute &apos;%4&apos; is missing!</source>
        <translation>Fichier de configuration &apos;%1&apos; invalide ! (Section=&apos;%2&apos; - Clé=&apos;%3&apos;) - L&apos;attribut &apos;%4&apos; est absent !</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not in range [%6;%7]!</source>
        <translation>Fichier de configuration &apos;%1&apos; invalide ! (Section=&apos;%2&apos; - Clé=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; n&apos;est pas dans l&apos;intervalle [%6;%7] !</translation>
    </message>
    <message>
        <source>Can&apos;t open file : %1</source>
        <translation>Impossible d&apos;ouvrir le fichier : %1</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>ligne %1, colonne %2 : %3</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not a valid unsigned int value in base %6!</source>
        <translation>Fichier de configuration &apos;%1&apos; invalide ! (Section=&apos;%2&apos; - Clé=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; n&apos;est pas un entier non signé valide en base %6 !</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not a valid float value!</source>
        <translation>Fichier de configuration &apos;%1&apos; invalide ! (Section=&apos;%2&apos; - Clé=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; n&apos;est pas un nombre décimal valide !</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; size is not in range [%6;%7]!</source>
        <translation>Fichier de configuration &apos;%1&apos; invalide ! (Section=&apos;%2&apos; - Clé=&apos;%3&apos; - Attr=&apos;%4&apos;) - la taille de &apos;%5&apos; n&apos;est pas dans l&apos;intervalle [%6;%7] !</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not a valid int value!</source>
        <translation>Fichier de configuration &apos;%1&apos; invalide ! (Section=&apos;%2&apos; - Clé=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; n&apos;est pas un entier valide !</translation>
    </message>
</context>
<context>
    <name>CDmxConf</name>
    <message>
        <source>DMX channel is already used by command %1 - &apos;%2&apos;</source>
        <translation>Le canal DMX est déjà utilisé par la commande %1 - &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Failed to parse configuration file!</source>
        <translation>Échec de l&apos;analyse du fichier de configuration !</translation>
    </message>
</context>
<context>
    <name>CFixture</name>
    <message>
        <source>L%1.%2</source>
        <translation>L%1.%2</translation>
    </message>
    <message>
        <source>S%1.%2</source>
        <translation>S%1.%2</translation>
    </message>
    <message>
        <source>F%1.%2</source>
        <translation>F%1.%2</translation>
    </message>
    <message>
        <source>Fixture %1 does not fit in the scene with top-left item: x=%2, y=%3!</source>
        <translation>L&apos;appareil %1 ne tient pas dans la scène avec son coin supérieur gauche en x=%2, y=%3 !</translation>
    </message>
    <message>
        <source>Fixture %1 rotated by %2 degrees does not fit in the scene!</source>
        <translation>L&apos;appareil %1 tourné de %2 degrés ne tient pas dans la scène !</translation>
    </message>
</context>
<context>
    <name>CFixtureGroup</name>
    <message>
        <source>Group 0</source>
        <translation>Groupe 0</translation>
    </message>
    <message>
        <source>Group Name is too long!</source>
        <translation>Le nom du groupe est trop long !</translation>
    </message>
    <message>
        <source>Group G%1 rotated by %2 degrees does not fit in the scene!</source>
        <translation>Le groupe G%1 tourné de %2 degrés ne tient pas dans la scène !</translation>
    </message>
</context>
<context>
    <name>CNetCom</name>
    <message>
        <source>Connection to %1 port %2 failed: %3</source>
        <translation>Échec de la connexion à %1 port %2 : %3</translation>
    </message>
    <message>
        <source>Connection to %1 port %2 failed: the address cannot be resolved</source>
        <translation>Échec de la connexion à %1 port %2 : l&apos;adresse ne peut pas être résolue</translation>
    </message>
</context>
<context>
    <name>CProjectConf</name>
    <message>
        <source>Failed to parse configuration file!</source>
        <translation>Échec de l&apos;analyse du fichier de configuration !</translation>
    </message>
</context>
<context>
    <name>CSoftConf</name>
    <message>
        <source>Failed to load sensors type from configuration file!</source>
        <translation>Échec du chargement des types de capteurs depuis le fichier de configuration !</translation>
    </message>
    <message>
        <source>Failed to load fixtures type in configuration file!</source>
        <translation>Échec du chargement des types d&apos;appareils depuis le fichier de configuration !</translation>
    </message>
    <message>
        <source>Invalid Factory Password in configuration file - Take default!</source>
        <translation>Mot de passe usine invalide dans le fichier de configuration - valeur par défaut utilisée !</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Fixture&apos;s Tiles may be badly configured!</source>
        <translation>Les dalles de l&apos;appareil sont peut-être mal configurées !</translation>
    </message>
    <message>
        <source>There is no tiles configured to display the top-left corner pixel(s) of VPU video output!</source>
        <translation>Aucune dalle n&apos;est configurée pour afficher le ou les pixels du coin supérieur gauche de la sortie vidéo du VPU !</translation>
    </message>
</context>
<context>
    <name>CUsbHid</name>
    <message>
        <source>USB Device with VID= 0x%1 and PID= 0x%2 is not found</source>
        <translation>Périphérique USB de VID= 0x%1 et PID= 0x%2 introuvable</translation>
    </message>
</context>
<context>
    <name>CVpuCom</name>
    <message>
        <source>Failed to open connexion with VPU!</source>
        <translation>Échec de l&apos;ouverture de la connexion avec le VPU !</translation>
    </message>
    <message>
        <source>    Failed to program MCU Flash!</source>
        <translation>    Échec de la programmation de la flash du MCU !</translation>
    </message>
    <message>
        <source>VPU sofware reset request failed!</source>
        <translation>Échec de la demande de redémarrage logiciel du VPU !</translation>
    </message>
    <message>
        <source>Failed to program VPU factory parameters!</source>
        <translation>Échec de la programmation des paramètres d&apos;usine du VPU !</translation>
    </message>
    <message>
        <source>Applying video settings on VPU Failed!</source>
        <translation>Échec de l&apos;application des réglages vidéo sur le VPU !</translation>
    </message>
    <message>
        <source>Applying input color correction on VPU Failed!</source>
        <translation>Échec de l&apos;application de la correction de couleur d&apos;entrée sur le VPU !</translation>
    </message>
    <message>
        <source>Applying Gamma on LPUs Failed!</source>
        <translation>Échec de l&apos;application du gamma sur les LPU !</translation>
    </message>
    <message>
        <source>Applying white temperature correction on VPU Failed!</source>
        <translation>Échec de l&apos;application de la correction de température de blanc sur le VPU !</translation>
    </message>
    <message>
        <source>Failed to set Full screen test color!</source>
        <translation>Échec de l&apos;activation de la couleur de test plein écran !</translation>
    </message>
    <message>
        <source>Failed to Freeze Current Video Output!</source>
        <translation>Échec du gel de la sortie vidéo actuelle !</translation>
    </message>
    <message>
        <source>Failed to show fixtures number on!</source>
        <translation>Échec de l&apos;affichage des numéros d&apos;appareils !</translation>
    </message>
    <message>
        <source>Failed to stop tests functions!</source>
        <translation>Échec de l&apos;arrêt des fonctions de test !</translation>
    </message>
    <message>
        <source>Failed to write video setting on VPU!</source>
        <translation>Échec de l&apos;écriture du réglage vidéo sur le VPU !</translation>
    </message>
    <message>
        <source>Failed to enumerate fixtures on VPU!</source>
        <translation>Échec de l&apos;énumération des appareils sur le VPU !</translation>
    </message>
    <message>
        <source>    Failed to write SASU configuration!</source>
        <translation>    Échec de l&apos;écriture de la configuration du SASU !</translation>
    </message>
    <message>
        <source>Fixture&apos;s origin configuration failed!</source>
        <translation>Échec de la configuration de l&apos;origine de l&apos;appareil !</translation>
    </message>
    <message>
        <source>Failed to set intensity on fixture!</source>
        <translation>Échec du réglage de l&apos;intensité de l&apos;appareil !</translation>
    </message>
    <message>
        <source>Fixture rotation configuration failed!</source>
        <translation>Échec de la configuration de la rotation de l&apos;appareil !</translation>
    </message>
    <message>
        <source>Failed to write configuration in fixture!</source>
        <translation>Échec de l&apos;écriture de la configuration dans l&apos;appareil !</translation>
    </message>
    <message>
        <source>Failed to reset fixture(s) on VPU!</source>
        <translation>Échec de la réinitialisation des appareils sur le VPU !</translation>
    </message>
    <message>
        <source>Failed to read VPU configuration!</source>
        <translation>Échec de la lecture de la configuration du VPU !</translation>
    </message>
    <message>
        <source>Getting video input format on VPU Failed!</source>
        <translation>Échec de la lecture du format de l&apos;entrée vidéo sur le VPU !</translation>
    </message>
    <message>
        <source>Failed to write DMX mapping on VPU!</source>
        <translation>Échec de l&apos;écriture de l&apos;affectation DMX sur le VPU !</translation>
    </message>
    <message>
        <source>Failed to read DMX mapping from VPU!</source>
        <translation>Échec de la lecture de l&apos;affectation DMX depuis le VPU !</translation>
    </message>
    <message>
        <source>Failed to read video preset from VPU!</source>
        <translation>Échec de la lecture du préréglage vidéo depuis le VPU !</translation>
    </message>
    <message>
        <source>Failed to get fixture number from VPU!</source>
        <translation>Échec de la lecture du nombre d&apos;appareils depuis le VPU !</translation>
    </message>
    <message>
        <source>    Failed to get fixture F%1.%2 configuration!</source>
        <translation>    Échec de la lecture de la configuration de l&apos;appareil F%1.%2 !</translation>
    </message>
    <message>
        <source>    Failed to read sensor values!</source>
        <translation>    Échec de la lecture des valeurs des capteurs !</translation>
    </message>
    <message>
        <source>    Failed to read SASU configuration!</source>
        <translation>    Échec de la lecture de la configuration du SASU !</translation>
    </message>
</context>
<context>
    <name>DMXConfig</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Save To...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>DMX channel(s)</source>
        <translation>Canal(aux) DMX</translation>
    </message>
    <message>
        <source>DMX command</source>
        <translation>Commande DMX</translation>
    </message>
    <message>
        <source>DMX description</source>
        <translation>Description DMX</translation>
    </message>
    <message>
        <source>Command Details:</source>
        <translation>Détails de la commande :</translation>
    </message>
    <message>
        <source>Write to VPU</source>
        <translation>Écrire sur le VPU</translation>
    </message>
    <message>
        <source>Read from VPU</source>
        <translation>Lire depuis le VPU</translation>
    </message>
    <message>
        <source>Restore default</source>
        <translation>Rétablir les valeurs par défaut</translation>
    </message>
    <message>
        <source>Enable DMX link</source>
        <translation>Activer la liaison DMX</translation>
    </message>
    <message>
        <source>0:       Disabled - Commands on DMX link are ignored by VPU</source>
        <translation>0:       Désactivée - le VPU ignore les commandes de la liaison DMX</translation>
    </message>
    <message>
        <source>[1-255]: Enabled - Commands on DMX link are processed by VPU</source>
        <translation>[1-255]: Activée - le VPU traite les commandes de la liaison DMX</translation>
    </message>
    <message>
        <source>Select VPU Operating Mode:</source>
        <translation>Choix du mode de fonctionnement du VPU :</translation>
    </message>
    <message>
        <source>000:     Ignored</source>
        <translation>000:     Ignorée</translation>
    </message>
    <message>
        <source>001-010: Select Video Input DVI Channel 1</source>
        <translation>001-010: Entrée vidéo DVI voie 1</translation>
    </message>
    <message>
        <source>011-020: Select Video Input DVI Channel 2</source>
        <translation>011-020: Entrée vidéo DVI voie 2</translation>
    </message>
    <message>
        <source>021-030: Select Video Input HDMI Channel 1</source>
        <translation>021-030: Entrée vidéo HDMI voie 1</translation>
    </message>
    <message>
        <source>031-040: Select Video Input HDMI Channel 2</source>
        <translation>031-040: Entrée vidéo HDMI voie 2</translation>
    </message>
    <message>
        <source>041-050: Freeze Output</source>
        <translation>041-050: Geler la sortie</translation>
    </message>
    <message>
        <source>051-060: Show Cabling Sequence on LPU</source>
        <translation>051-060: Afficher la séquence de câblage sur les LPU</translation>
    </message>
    <message>
        <source>061-070: Full screen red</source>
        <translation>061-070: Plein écran rouge</translation>
    </message>
    <message>
        <source>071-080: Full screen green</source>
        <translation>071-080: Plein écran vert</translation>
    </message>
    <message>
        <source>081-090: Full screen blue</source>
        <translation>081-090: Plein écran bleu</translation>
    </message>
    <message>
        <source>091-100: Full screen white</source>
        <translation>091-100: Plein écran blanc</translation>
    </message>
    <message>
        <source>101-110: Full screen black</source>
        <translation>101-110: Plein écran noir</translation>
    </message>
    <message>
        <source>111-120: Full screen custom color</source>
        <translation>111-120: Plein écran couleur personnalisée</translation>
    </message>
    <message>
        <source>121-255: Ignored</source>
        <translation>121-255: Ignorée</translation>
    </message>
    <message>
        <source>Brightness applied on selected video input by VPU&apos;s HDMI receiver.</source>
        <translation>Luminosité appliquée à l&apos;entrée vidéo choisie par le récepteur HDMI du VPU.</translation>
    </message>
    <message>
        <source>DMX command [1 to 255] =&gt; Brightness [1% to 100%]</source>
        <translation>Commande DMX [1 à 255] =&gt; Luminosité [1 % à 100 %]</translation>
    </message>
    <message>
        <source>Contrast applied on selected video input by VPU&apos;s HDMI receiver.</source>
        <translation>Contraste appliqué à l&apos;entrée vidéo choisie par le récepteur HDMI du VPU.</translation>
    </message>
    <message>
        <source>DMX command [1 to 255] =&gt; Contrast [1% to 100%]</source>
        <translation>Commande DMX [1 à 255] =&gt; Contraste [1 % à 100 %]</translation>
    </message>
    <message>
        <source>Hue applied on selected video input by VPU&apos;s HDMI receiver.</source>
        <translation>Teinte appliquée à l&apos;entrée vidéo choisie par le récepteur HDMI du VPU.</translation>
    </message>
    <message>
        <source>DMX command [1 to 255] =&gt; Hue [-89° to 90°]</source>
        <translation>Commande DMX [1 à 255] =&gt; Teinte [-89° à 90°]</translation>
    </message>
    <message>
        <source>Saturation applied on selected video input by VPU&apos;s HDMI receiver.</source>
        <translation>Saturation appliquée à l&apos;entrée vidéo choisie par le récepteur HDMI du VPU.</translation>
    </message>
    <message>
        <source>DMX command [1 to 255] =&gt; Saturation [1 to 100%]</source>
        <translation>Commande DMX [1 à 255] =&gt; Saturation [1 à 100 %]</translation>
    </message>
    <message>
        <source>Color Temperature to be applied on Output Screen by VPU (Range [2000K; 11000K], in 100 °K units)</source>
        <translation>Température de couleur que le VPU applique à l&apos;écran de sortie (plage [2000K; 11000K], par pas de 100 °K)</translation>
    </message>
    <message>
        <source>Command 1 - Mode:</source>
        <translation>Commande 1 - Mode :</translation>
    </message>
    <message>
        <source>   000-010: Color temperature correction disabled</source>
        <translation>   000-010: Correction de température de couleur désactivée</translation>
    </message>
    <message>
        <source>   011-020: Custom Color temperature correction (Use 1 next Command)</source>
        <translation>   011-020: Correction de température de couleur personnalisée (utilise la commande suivante)</translation>
    </message>
    <message>
        <source>   021-030: Expert color temperature correction (Use 3 next Commands)</source>
        <translation>   021-030: Correction de température de couleur experte (utilise les 3 commandes suivantes)</translation>
    </message>
    <message>
        <source>In Custom mode, Command 2:</source>
        <translation>En mode personnalisé, commande 2 :</translation>
    </message>
    <message>
        <source>   000-019: Command is ignored</source>
        <translation>   000-019: Commande ignorée</translation>
    </message>
    <message>
        <source>   020-110: Custom Color temperature / 100 =&gt; range [2000;11000] °K</source>
        <translation>   020-110: Température de couleur personnalisée / 100 =&gt; plage [2000;11000] °K</translation>
    </message>
    <message>
        <source>   111-255: Command is ignored</source>
        <translation>   111-255: Commande ignorée</translation>
    </message>
    <message>
        <source>In Expert mode, Command 2-4:</source>
        <translation>En mode expert, commandes 2 à 4 :</translation>
    </message>
    <message>
        <source>   000-255: Color temperature coefficient [0 to 255] =&gt; [0.0 to 1.0]</source>
        <translation>   000-255: Coefficient de température de couleur [0 à 255] =&gt; [0.0 à 1.0]</translation>
    </message>
    <message>
        <source>Gamma correction coefficients of Red, green and blue  component (each byte represent the gamma of one component in 0.1 step : range [0.1 to 6.6] is coded [1 to 66])</source>
        <translation>Coefficients de correction gamma des composantes rouge, verte et bleue (chaque octet donne le gamma d&apos;une composante par pas de 0.1 : la plage [0.1 à 6.6] est codée [1 à 66])</translation>
    </message>
    <message>
        <source>000: Ignored</source>
        <translation>000: Ignorée</translation>
    </message>
    <message>
        <source>001-066: Gamma / 10</source>
        <translation>001-066: Gamma / 10</translation>
    </message>
    <message>
        <source>077-255: Ignored</source>
        <translation>077-255: Ignorée</translation>
    </message>
    <message>
        <source>Individual Red, Green and Blue components levels for full screen custom color test mode (from 0 to 255)</source>
        <translation>Niveaux des composantes rouge, verte et bleue pour le test plein écran en couleur personnalisée (de 0 à 255)</translation>
    </message>
    <message>
        <source>Launch a Video presetting from VPU memory:</source>
        <translation>Lancer un préréglage vidéo de la mémoire du VPU :</translation>
    </message>
    <message>
        <source>000:  Ignored</source>
        <translation>000:  Ignorée</translation>
    </message>
    <message>
        <source>001-009: Default Presetting</source>
        <translation>001-009: Préréglage par défaut</translation>
    </message>
    <message>
        <source>010-019: Presetting number 1</source>
        <translation>010-019: Préréglage numéro 1</translation>
    </message>
    <message>
        <source>020-029: Presetting number 2</source>
        <translation>020-029: Préréglage numéro 2</translation>
    </message>
    <message>
        <source>030-039: Presetting number 3</source>
        <translation>030-039: Préréglage numéro 3</translation>
    </message>
    <message>
        <source>040-049: Presetting number 4</source>
        <translation>040-049: Préréglage numéro 4</translation>
    </message>
    <message>
        <source>050-059: Presetting number 5</source>
        <translation>050-059: Préréglage numéro 5</translation>
    </message>
    <message>
        <source>060-069: Presetting number 6</source>
        <translation>060-069: Préréglage numéro 6</translation>
    </message>
    <message>
        <source>070-079: Presetting number 7</source>
        <translation>070-079: Préréglage numéro 7</translation>
    </message>
    <message>
        <source>080-089: Presetting number 8</source>
        <translation>080-089: Préréglage numéro 8</translation>
    </message>
    <message>
        <source>090-255: Ignored</source>
        <translation>090-255: Ignorée</translation>
    </message>
    <message>
        <source>&amp;Delete DMX Command</source>
        <translation>&amp;Supprimer la commande DMX</translation>
    </message>
    <message>
        <source>&amp;Add DMX Command</source>
        <translation>&amp;Ajouter une commande DMX</translation>
    </message>
    <message>
        <source>&amp;Set DMX Channel</source>
        <translation>&amp;Choisir le canal DMX</translation>
    </message>
    <message>
        <source>Select DMX Command to add</source>
        <translation>Choisir la commande DMX à ajouter</translation>
    </message>
    <message>
        <source>DMX Command:</source>
        <translation>Commande DMX :</translation>
    </message>
    <message>
        <source>Select start channel of DMX Command to add</source>
        <translation>Choisir le premier canal de la commande DMX à ajouter</translation>
    </message>
    <message>
        <source>DMX Channel:</source>
        <translation>Canal DMX :</translation>
    </message>
    <message>
        <source>Select start channel of DMX Command &apos;%1&apos;</source>
        <translation>Choisir le premier canal de la commande DMX &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Read DMX mapping from VPU</source>
        <translation>Lire l&apos;affectation DMX depuis le VPU</translation>
    </message>
    <message>
        <source>Select DMX Mapping memory source:</source>
        <translation>Mémoire source de l&apos;affectation DMX :</translation>
    </message>
    <message>
        <source>Invalid DMX mapping read from VPU!</source>
        <translation>Affectation DMX lue depuis le VPU invalide !</translation>
    </message>
    <message>
        <source>Failed to write DMX mapping on VPU!</source>
        <translation>Échec de l&apos;écriture de l&apos;affectation DMX sur le VPU !</translation>
    </message>
    <message>
        <source>Send DMX mapping to VPU</source>
        <translation>Envoyer l&apos;affectation DMX au VPU</translation>
    </message>
    <message>
        <source>Select DMX Mapping memory destination:</source>
        <translation>Mémoire de destination de l&apos;affectation DMX :</translation>
    </message>
    <message>
        <source>Select the DMX Mapping configuration file (%1)</source>
        <translation>Choisir le fichier de configuration de l&apos;affectation DMX (%1)</translation>
    </message>
    <message>
        <source>Invalid DMX mapping file &apos;%1&apos;!</source>
        <translation>Fichier d&apos;affectation DMX &apos;%1&apos; invalide !</translation>
    </message>
    <message>
        <source>Select the DMX Mapping output configuration file (%1)</source>
        <translation>Choisir le fichier de configuration d&apos;affectation DMX à écrire (%1)</translation>
    </message>
    <message>
        <source>Failed to save DMX mapping file &apos;%1&apos;!</source>
        <translation>Échec de l&apos;enregistrement du fichier d&apos;affectation DMX &apos;%1&apos; !</translation>
    </message>
</context>
<context>
    <name>DmxCommand</name>
    <message>
        <source>Enable</source>
        <translation>Activation</translation>
    </message>
    <message>
        <source>Enable DMX link</source>
        <translation>Activer la liaison DMX</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Mode selection (Video input channel, test pattern...)</source>
        <translation>Choix du mode (voie d&apos;entrée vidéo, mire de test...)</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>HDMI receiver&apos;s brightness control</source>
        <translation>Réglage de luminosité du récepteur HDMI</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>HDMI receiver&apos;s contrast control</source>
        <translation>Réglage de contraste du récepteur HDMI</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Teinte</translation>
    </message>
    <message>
        <source>HDMI receiver&apos;s hue control</source>
        <translation>Réglage de teinte du récepteur HDMI</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>HDMI receiver&apos;s saturation control</source>
        <translation>Réglage de saturation du récepteur HDMI</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Température de couleur</translation>
    </message>
    <message>
        <source>VPU&apos;s color temperature control</source>
        <translation>Réglage de température de couleur du VPU</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>LPU&apos;s gamma control</source>
        <translation>Réglage du gamma des LPU</translation>
    </message>
    <message>
        <source>Test Color</source>
        <translation>Couleur de test</translation>
    </message>
    <message>
        <source>VPU&apos;s custom RGB test pattern control</source>
        <translation>Réglage de la mire de test RVB personnalisée du VPU</translation>
    </message>
    <message>
        <source>Launch Preset</source>
        <translation>Lancer un préréglage</translation>
    </message>
    <message>
        <source>Launch video presetting control</source>
        <translation>Commande de lancement d&apos;un préréglage vidéo</translation>
    </message>
</context>
<context>
    <name>FixtureLists</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Scene list</source>
        <translation>Liste de la scène</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Unselect All</source>
        <translation>Tout désélectionner</translation>
    </message>
    <message>
        <source>Cabling list (front view)</source>
        <translation>Liste de câblage (vue de face)</translation>
    </message>
    <message>
        <source>Cabled Fixtures:</source>
        <translation>Appareils câblés :</translation>
    </message>
    <message>
        <source>Not Cabled Fixtures:</source>
        <translation>Appareils non câblés :</translation>
    </message>
    <message>
        <source>Start Cabling Sequence</source>
        <translation>Démarrer la séquence de câblage</translation>
    </message>
    <message>
        <source>SASU list</source>
        <translation>Liste des SASU</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>G%1 - %2</source>
        <translation>G%1 - %2</translation>
    </message>
    <message>
        <source>HDMI Output %1</source>
        <translation>Sortie HDMI %1</translation>
    </message>
    <message>
        <source>Select Next Fixture In Chain</source>
        <translation>Choisir l&apos;appareil suivant de la chaîne</translation>
    </message>
    <message>
        <source>Fixture List:</source>
        <translation>Liste des appareils :</translation>
    </message>
    <message>
        <source>Stop Cabling Sequence</source>
        <translation>Arrêter la séquence de câblage</translation>
    </message>
    <message>
        <source>HDMI Output %1 already holds %2 fixtures, the most it can drive: %3 is not cabled!</source>
        <translation>La sortie HDMI %1 compte déjà %2 appareils, le maximum qu&apos;elle peut piloter : %3 n&apos;est pas câblé !</translation>
    </message>
</context>
<context>
    <name>FixtureSettings</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Fixture</source>
        <translation>Appareil</translation>
    </message>
    <message>
        <source>Top-Left position:</source>
        <translation>Position du coin supérieur gauche :</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontale</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Verticale</translation>
    </message>
    <message>
        <source>Apply Volatile</source>
        <translation>Appliquer (volatile)</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Rotation :</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Angle :</translation>
    </message>
    <message>
        <source>degree(s)</source>
        <translation>degré(s)</translation>
    </message>
    <message>
        <source>Anchor:</source>
        <translation>Ancrage :</translation>
    </message>
    <message>
        <source>Write Permanent</source>
        <translation>Écrire (permanent)</translation>
    </message>
    <message>
        <source>Factory Parameters:</source>
        <translation>Paramètres d&apos;usine :</translation>
    </message>
    <message>
        <source>Size (in pixels):</source>
        <translation>Taille (en pixels) :</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Fixture Type:</source>
        <translation>Type d&apos;appareil :</translation>
    </message>
    <message>
        <source>0x&gt;HHHHHHHH;_</source>
        <translation>0x&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>0xFFFFFFFF</source>
        <translation>0xFFFFFFFF</translation>
    </message>
    <message>
        <source>Type Name:</source>
        <translation>Nom du type :</translation>
    </message>
    <message>
        <source>Manufacturer Code:</source>
        <translation>Code fabricant :</translation>
    </message>
    <message>
        <source>Serial Number:</source>
        <translation>Numéro de série :</translation>
    </message>
    <message>
        <source>LPU individual settings:</source>
        <translation>Réglages propres au LPU :</translation>
    </message>
    <message>
        <source>Luminosity</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Set to default</source>
        <translation>Valeurs par défaut</translation>
    </message>
    <message>
        <source>Test Color</source>
        <translation>Couleur de test</translation>
    </message>
    <message>
        <source>Stop Test</source>
        <translation>Arrêter le test</translation>
    </message>
    <message>
        <source>Failed to configure test color!</source>
        <translation>Échec du réglage de la couleur de test !</translation>
    </message>
    <message>
        <source>Failed to stop test color!</source>
        <translation>Échec de l&apos;arrêt de la couleur de test !</translation>
    </message>
</context>
<context>
    <name>FixtureUpdate</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Get Current Settings</source>
        <translation>Lire les réglages actuels</translation>
    </message>
    <message>
        <source>Fixture:</source>
        <translation>Appareil :</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>Micrologiciel :</translation>
    </message>
    <message>
        <source>FPGA:</source>
        <translation>FPGA :</translation>
    </message>
    <message>
        <source>Current Fpga Version:</source>
        <translation>Version actuelle du FPGA :</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnue</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Firmwares/FPGA_LPU.rbf</source>
        <translation>Firmwares/FPGA_LPU.rbf</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Logiciel :</translation>
    </message>
    <message>
        <source>Current Software Version:</source>
        <translation>Version actuelle du logiciel :</translation>
    </message>
    <message>
        <source>Firmwares/nios_LPU.bin</source>
        <translation>Firmwares/nios_LPU.bin</translation>
    </message>
    <message>
        <source>Program Selected Fixture</source>
        <translation>Programmer l&apos;appareil choisi</translation>
    </message>
    <message>
        <source>Program All</source>
        <translation>Tout programmer</translation>
    </message>
    <message>
        <source>Program All Safe</source>
        <translation>Tout programmer (sûr)</translation>
    </message>
    <message>
        <source>LED Mapping:</source>
        <translation>Cartographie des LED :</translation>
    </message>
    <message>
        <source>Firmwares/RGBRGB_Curtain.map</source>
        <translation>Firmwares/RGBRGB_Curtain.map</translation>
    </message>
    <message>
        <source>LPU Gain:</source>
        <translation>Gain des LPU :</translation>
    </message>
    <message>
        <source>Correct VU coefficients</source>
        <translation>Corriger les coefficients VU</translation>
    </message>
    <message>
        <source>Gain/Gain_NoGain_128x128.vu3</source>
        <translation>Gain/Gain_NoGain_128x128.vu3</translation>
    </message>
    <message>
        <source>Program Big Screen</source>
        <translation>Programmer le grand écran</translation>
    </message>
    <message>
        <source>PCB Version:</source>
        <translation>Version du circuit imprimé :</translation>
    </message>
    <message>
        <source>Factory Parameters:</source>
        <translation>Paramètres d&apos;usine :</translation>
    </message>
    <message>
        <source>Fixture Type:</source>
        <translation>Type d&apos;appareil :</translation>
    </message>
    <message>
        <source>0x</source>
        <translation>0x</translation>
    </message>
    <message>
        <source>00000000</source>
        <translation>00000000</translation>
    </message>
    <message>
        <source>&gt;HHHHHHHH;_</source>
        <translation>&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>Size (in pixels):</source>
        <translation>Taille (en pixels) :</translation>
    </message>
    <message>
        <source> Width</source>
        <translation> Largeur</translation>
    </message>
    <message>
        <source> Height</source>
        <translation> Hauteur</translation>
    </message>
    <message>
        <source>Tile&apos;s Configuration:</source>
        <translation>Configuration des dalles :</translation>
    </message>
    <message>
        <source>Tile 1 (C1):</source>
        <translation>Dalle 1 (C1) :</translation>
    </message>
    <message>
        <source>Tile 2 (C2):</source>
        <translation>Dalle 2 (C2) :</translation>
    </message>
    <message>
        <source>Tile 3 (C3):</source>
        <translation>Dalle 3 (C3) :</translation>
    </message>
    <message>
        <source>Tile 4 (C4):</source>
        <translation>Dalle 4 (C4) :</translation>
    </message>
    <message>
        <source>Width=64 - Height=64 - Horizontal Origin=0 - Vertical Origin=0</source>
        <translation>Largeur=64 - Hauteur=64 - Origine horizontale=0 - Origine verticale=0</translation>
    </message>
    <message>
        <source>Sensor&apos;s Configuration:</source>
        <translation>Configuration des capteurs :</translation>
    </message>
    <message>
        <source>Sensor 0:</source>
        <translation>Capteur 0 :</translation>
    </message>
    <message>
        <source>Sensor 1:</source>
        <translation>Capteur 1 :</translation>
    </message>
    <message>
        <source>Sensor 2:</source>
        <translation>Capteur 2 :</translation>
    </message>
    <message>
        <source>Sensor 3:</source>
        <translation>Capteur 3 :</translation>
    </message>
    <message>
        <source>No sensor for this type of fixture</source>
        <translation>Aucun capteur pour ce type d&apos;appareil</translation>
    </message>
    <message>
        <source>Manufacturer Code:</source>
        <translation>Code fabricant :</translation>
    </message>
    <message>
        <source>Serial Number:</source>
        <translation>Numéro de série :</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programmer</translation>
    </message>
    <message>
        <source>Unknown fixture type = 0x%1! (check configuration files)</source>
        <translation>Type d&apos;appareil inconnu = 0x%1 ! (vérifiez les fichiers de configuration)</translation>
    </message>
    <message>
        <source>Invalid sensor type (Please check configuration file)</source>
        <translation>Type de capteur invalide (vérifiez le fichier de configuration)</translation>
    </message>
    <message>
        <source>Select the FPGA firmware file to program in FLASH (%1)</source>
        <translation>Choisir le fichier de micrologiciel FPGA à programmer en FLASH (%1)</translation>
    </message>
    <message>
        <source>Select the Software firmware file to program in FLASH (%1)</source>
        <translation>Choisir le fichier de logiciel à programmer en FLASH (%1)</translation>
    </message>
    <message>
        <source>Select the fixture Gain table file to program in FLASH</source>
        <translation>Choisir le fichier de table de gain de l&apos;appareil à programmer en FLASH</translation>
    </message>
    <message>
        <source>Gain files (*.eldim *.vu3 *.radiant)</source>
        <translation>Fichiers de gain (*.eldim *.vu3 *.radiant)</translation>
    </message>
    <message>
        <source>Select the LED mapping file to program in FLASH</source>
        <translation>Choisir le fichier de cartographie des LED à programmer en FLASH</translation>
    </message>
    <message>
        <source>Failed to program parameters on F%1.%2!</source>
        <translation>Échec de la programmation des paramètres de F%1.%2 !</translation>
    </message>
    <message>
        <source>Failed to load MCU software file &apos;%1&apos;</source>
        <translation>Échec du chargement du fichier logiciel MCU &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Fixture&apos;s Firmware update Failed!</source>
        <translation>Échec de la mise à jour du micrologiciel de l&apos;appareil !</translation>
    </message>
    <message>
        <source>Failed to load gain file &apos;%1&apos;</source>
        <translation>Échec du chargement du fichier de gain &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Failed to Program Gain file in fixture(s)</source>
        <translation>Échec de la programmation du fichier de gain dans le ou les appareils</translation>
    </message>
    <message>
        <source>Programming FPGA Gain tables in fixture failed!</source>
        <translation>Échec de la programmation des tables de gain FPGA dans l&apos;appareil !</translation>
    </message>
    <message>
        <source>Programming gain correction on big screen Failed!</source>
        <translation>Échec de la programmation de la correction de gain sur le grand écran !</translation>
    </message>
    <message>
        <source>Failed to program LED Mapping in fixture(s)!</source>
        <translation>Échec de la programmation de la cartographie des LED dans le ou les appareils !</translation>
    </message>
    <message>
        <source>Failed to Program LED Mapping file in fixture(s)</source>
        <translation>Échec de la programmation du fichier de cartographie des LED dans le ou les appareils</translation>
    </message>
    <message>
        <source>Width=%1 - Height=%2 - Horizontal Offset=%3 - Vertical Offset=%4</source>
        <translation>Largeur=%1 - Hauteur=%2 - Décalage horizontal=%3 - Décalage vertical=%4</translation>
    </message>
    <message>
        <source>temperature</source>
        <translation>température</translation>
    </message>
    <message>
        <source>humidity</source>
        <translation>humidité</translation>
    </message>
    <message>
        <source>luminosity</source>
        <translation>luminosité</translation>
    </message>
    <message>
        <source>Type=&apos;%1&apos; - Name=&apos;%2&apos;</source>
        <translation>Type=&apos;%1&apos; - Nom=&apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>GroupSettings</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Groupe</translation>
    </message>
    <message>
        <source>Top-Left position:</source>
        <translation>Position du coin supérieur gauche :</translation>
    </message>
    <message>
        <source>Apply Volatile</source>
        <translation>Appliquer (volatile)</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Verticale</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontale</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Rotation :</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Angle :</translation>
    </message>
    <message>
        <source>degree(s)</source>
        <translation>degré(s)</translation>
    </message>
    <message>
        <source>Anchor:</source>
        <translation>Ancrage :</translation>
    </message>
    <message>
        <source>Write Permanent</source>
        <translation>Écrire (permanent)</translation>
    </message>
    <message>
        <source>Group individual settings:</source>
        <translation>Réglages propres au groupe :</translation>
    </message>
    <message>
        <source>Luminosity:</source>
        <translation>Luminosité :</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Red:</source>
        <translation>Rouge :</translation>
    </message>
    <message>
        <source>Green:</source>
        <translation>Vert :</translation>
    </message>
    <message>
        <source>Blue:</source>
        <translation>Bleu :</translation>
    </message>
    <message>
        <source>Set to default</source>
        <translation>Valeurs par défaut</translation>
    </message>
    <message>
        <source>G%1</source>
        <translation>G%1</translation>
    </message>
</context>
<context>
    <name>InputColorCtrl</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Brightness (%)</source>
        <translation>Luminosité (%)</translation>
    </message>
    <message>
        <source>Contrast (%)</source>
        <translation>Contraste (%)</translation>
    </message>
    <message>
        <source>Hue (°)</source>
        <translation>Teinte (°)</translation>
    </message>
    <message>
        <source>Saturation (%)</source>
        <translation>Saturation (%)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
</context>
<context>
    <name>OutputColorCtrl</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>VPU - White Balance :</source>
        <translation>VPU - Balance des blancs :</translation>
    </message>
    <message>
        <source>Standard Color Temperature:</source>
        <translation>Température de couleur standard :</translation>
    </message>
    <message>
        <source>Custom Color Temperature:</source>
        <translation>Température de couleur personnalisée :</translation>
    </message>
    <message>
        <source> K</source>
        <translation> K</translation>
    </message>
    <message>
        <source>Expert (Edit Component Coefficients)</source>
        <translation>Expert (coefficients des composantes)</translation>
    </message>
    <message>
        <source>Coef_R</source>
        <translation>Coef_R</translation>
    </message>
    <message>
        <source>Coef_G</source>
        <translation>Coef_G</translation>
    </message>
    <message>
        <source>Coef_B</source>
        <translation>Coef_B</translation>
    </message>
    <message>
        <source>Apply Volatile</source>
        <translation>Appliquer (volatile)</translation>
    </message>
    <message>
        <source>Set to default</source>
        <translation>Valeurs par défaut</translation>
    </message>
    <message>
        <source>LPU - Gamma LUT :</source>
        <translation>LPU - Table de gamma :</translation>
    </message>
    <message>
        <source>Gamma_R</source>
        <translation>Gamma_R</translation>
    </message>
    <message>
        <source>Gamma_G</source>
        <translation>Gamma_G</translation>
    </message>
    <message>
        <source>Gamma_B</source>
        <translation>Gamma_B</translation>
    </message>
    <message>
        <source>Write Permanent</source>
        <translation>Écrire (permanent)</translation>
    </message>
    <message>
        <source>No Correction</source>
        <translation>Aucune correction</translation>
    </message>
    <message>
        <source>%1 K</source>
        <translation>%1 K</translation>
    </message>
</context>
<context>
    <name>PaintBrushTools</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Fixture Type</source>
        <translation>Type d&apos;appareil</translation>
    </message>
    <message>
        <source>Fixture Group Size</source>
        <translation>Taille du bloc d&apos;appareils</translation>
    </message>
    <message>
        <source>Horizontal :</source>
        <translation>Horizontalement :</translation>
    </message>
    <message>
        <source>fixtures</source>
        <translation>appareils</translation>
    </message>
    <message>
        <source>Vertical :</source>
        <translation>Verticalement :</translation>
    </message>
    <message>
        <source>Top-Left position:</source>
        <translation>Position du coin supérieur gauche :</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Verticale</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontale</translation>
    </message>
    <message>
        <source>Add Fixture(s)</source>
        <translation>Ajouter des appareils</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Action in progress</source>
        <translation>Action en cours</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Afficher les détails</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Memory allocation failed!</source>
        <translation>Échec de l&apos;allocation mémoire !</translation>
    </message>
    <message>
        <source>Communication with VPU failed!</source>
        <translation>Échec de la communication avec le VPU !</translation>
    </message>
    <message>
        <source>Invalid parameter!</source>
        <translation>Paramètre invalide !</translation>
    </message>
    <message>
        <source>Resource not available!</source>
        <translation>Ressource indisponible !</translation>
    </message>
    <message>
        <source>Directory creation failed!</source>
        <translation>Échec de la création du dossier !</translation>
    </message>
    <message>
        <source>Invalid file name!</source>
        <translation>Nom de fichier invalide !</translation>
    </message>
    <message>
        <source>File does not exist!</source>
        <translation>Le fichier n&apos;existe pas !</translation>
    </message>
    <message>
        <source>File open failed!</source>
        <translation>Échec de l&apos;ouverture du fichier !</translation>
    </message>
    <message>
        <source>Invalid file size!</source>
        <translation>Taille de fichier invalide !</translation>
    </message>
    <message>
        <source>File read error!</source>
        <translation>Erreur de lecture du fichier !</translation>
    </message>
    <message>
        <source>File save error!</source>
        <translation>Erreur d&apos;enregistrement du fichier !</translation>
    </message>
    <message>
        <source>File data error!</source>
        <translation>Erreur dans les données du fichier !</translation>
    </message>
    <message>
        <source>Action cancelled!</source>
        <translation>Action annulée !</translation>
    </message>
    <message>
        <source>Invalid preset number!</source>
        <translation>Numéro de préréglage invalide !</translation>
    </message>
    <message>
        <source>Xml configuration file data error!</source>
        <translation>Erreur dans les données du fichier de configuration XML !</translation>
    </message>
    <message>
        <source>Invalid Xml value!</source>
        <translation>Valeur XML invalide !</translation>
    </message>
    <message>
        <source>Duplicate xml value!</source>
        <translation>Valeur XML en double !</translation>
    </message>
    <message>
        <source>Xml attribute error!</source>
        <translation>Erreur d&apos;attribut XML !</translation>
    </message>
    <message>
        <source>Unknown fixture type!</source>
        <translation>Type d&apos;appareil inconnu !</translation>
    </message>
    <message>
        <source>Fixture does not fit in scene!</source>
        <translation>L&apos;appareil ne tient pas dans la scène !</translation>
    </message>
    <message>
        <source>Gain data error!</source>
        <translation>Erreur dans les données de gain !</translation>
    </message>
    <message>
        <source>Fixture is not configured correctly for gain tables programmation!</source>
        <translation>L&apos;appareil n&apos;est pas configuré correctement pour la programmation des tables de gain !</translation>
    </message>
    <message>
        <source>Bootloader error on send command!</source>
        <translation>Erreur du chargeur d&apos;amorçage à l&apos;envoi d&apos;une commande !</translation>
    </message>
    <message>
        <source>Bootloader receive timeout!</source>
        <translation>Délai de réception du chargeur d&apos;amorçage dépassé !</translation>
    </message>
    <message>
        <source>Bootloader CRC error!</source>
        <translation>Erreur de CRC du chargeur d&apos;amorçage !</translation>
    </message>
    <message>
        <source>Memory allocation failed on VPU!</source>
        <translation>Échec de l&apos;allocation mémoire sur le VPU !</translation>
    </message>
    <message>
        <source>Fixture response timeout!</source>
        <translation>Délai de réponse de l&apos;appareil dépassé !</translation>
    </message>
    <message>
        <source>Failed to connect to VPU!</source>
        <translation>Échec de la connexion au VPU !</translation>
    </message>
    <message>
        <source>Invalid parameter in communication with VPU!</source>
        <translation>Paramètre invalide dans la communication avec le VPU !</translation>
    </message>
    <message>
        <source>Communication timeout with VPU!</source>
        <translation>Délai de communication avec le VPU dépassé !</translation>
    </message>
    <message>
        <source>Invalid message received!</source>
        <translation>Message reçu invalide !</translation>
    </message>
    <message>
        <source>Invalid message length!</source>
        <translation>Longueur de message invalide !</translation>
    </message>
    <message>
        <source>Unknown command!</source>
        <translation>Commande inconnue !</translation>
    </message>
    <message>
        <source>Device not found!</source>
        <translation>Périphérique introuvable !</translation>
    </message>
    <message>
        <source>Failed to close connection!</source>
        <translation>Échec de la fermeture de la connexion !</translation>
    </message>
    <message>
        <source>Read-Only flash area!</source>
        <translation>Zone de flash en lecture seule !</translation>
    </message>
    <message>
        <source>VPU Flash error!</source>
        <translation>Erreur de la flash du VPU !</translation>
    </message>
    <message>
        <source>Invalid MCU flash offset!</source>
        <translation>Adresse de flash du MCU invalide !</translation>
    </message>
    <message>
        <source>MCU flash access error!</source>
        <translation>Erreur d&apos;accès à la flash du MCU !</translation>
    </message>
    <message>
        <source>Fixture NAK response!</source>
        <translation>Réponse NAK de l&apos;appareil !</translation>
    </message>
    <message>
        <source>Fixture doesn&apos;t respond!</source>
        <translation>L&apos;appareil ne répond pas !</translation>
    </message>
    <message>
        <source>Incomplete fixture response!</source>
        <translation>Réponse de l&apos;appareil incomplète !</translation>
    </message>
    <message>
        <source>Invalid DMX configuration!</source>
        <translation>Configuration DMX invalide !</translation>
    </message>
    <message>
        <source>DMX command number to high!</source>
        <translation>Numéro de commande DMX trop élevé !</translation>
    </message>
    <message>
        <source>Invalid DMX value!</source>
        <translation>Valeur DMX invalide !</translation>
    </message>
    <message>
        <source>Invalid Video Preset!</source>
        <translation>Préréglage vidéo invalide !</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Select Group&apos;s Fixtures</source>
        <translation>&amp;Sélectionner les appareils du groupe</translation>
    </message>
    <message>
        <source>&amp;UnSelect Group&apos;s Fixtures</source>
        <translation>&amp;Désélectionner les appareils du groupe</translation>
    </message>
    <message>
        <source>&amp;Group Fixtures</source>
        <translation>&amp;Grouper les appareils</translation>
    </message>
    <message>
        <source>&amp;Ungroup Fixtures</source>
        <translation>&amp;Dégrouper les appareils</translation>
    </message>
    <message>
        <source>&amp;Uncable Fixture</source>
        <translation>Dé&amp;câbler l&apos;appareil</translation>
    </message>
    <message>
        <source>&amp;Uncable all fixtures</source>
        <translation>Décâbler &amp;tous les appareils</translation>
    </message>
    <message>
        <source>&amp;Uncable selected fixture and nexts</source>
        <translation>Décâbler l&apos;appareil choisi et les &amp;suivants</translation>
    </message>
    <message>
        <source>&amp;Start Cabling From Here</source>
        <translation>&amp;Commencer le câblage ici</translation>
    </message>
    <message>
        <source>&amp;Fixture Menu</source>
        <translation>Menu &amp;appareil</translation>
    </message>
    <message>
        <source>&amp;Cabling Menu</source>
        <translation>Menu &amp;câblage</translation>
    </message>
</context>
<context>
    <name>SasuSettings</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Fixture</source>
        <translation>Appareil</translation>
    </message>
    <message>
        <source>Monitoring:</source>
        <translation>Surveillance :</translation>
    </message>
    <message>
        <source>Sensor 0</source>
        <translation>Capteur 0</translation>
    </message>
    <message>
        <source>Sensor 1</source>
        <translation>Capteur 1</translation>
    </message>
    <message>
        <source>Sensor 2</source>
        <translation>Capteur 2</translation>
    </message>
    <message>
        <source>Sensor 3</source>
        <translation>Capteur 3</translation>
    </message>
    <message>
        <source>Get Sensor Values</source>
        <translation>Lire les capteurs</translation>
    </message>
    <message>
        <source>Factory Parameters:</source>
        <translation>Paramètres d&apos;usine :</translation>
    </message>
    <message>
        <source>SASU Type:</source>
        <translation>Type de SASU :</translation>
    </message>
    <message>
        <source>0x&gt;HHHHHHHH;_</source>
        <translation>0x&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>0xFFFFFFFF</source>
        <translation>0xFFFFFFFF</translation>
    </message>
    <message>
        <source>Type Name:</source>
        <translation>Nom du type :</translation>
    </message>
    <message>
        <source>Serial Number:</source>
        <translation>Numéro de série :</translation>
    </message>
    <message>
        <source>Manufacturer Code:</source>
        <translation>Code fabricant :</translation>
    </message>
    <message>
        <source>0xHHHHHHHH; </source>
        <translation>0xHHHHHHHH; </translation>
    </message>
    <message>
        <source>Temperature limits for VPU Control </source>
        <translation>Seuils de température pour la commande du VPU </translation>
    </message>
    <message>
        <source>Black Out Monitoring:</source>
        <translation>Surveillance de l&apos;extinction :</translation>
    </message>
    <message>
        <source>Black Out Screen above (°C)</source>
        <translation>Éteindre l&apos;écran au-dessus de (°C)</translation>
    </message>
    <message>
        <source>Remove Black Out under (°C)</source>
        <translation>Rallumer l&apos;écran au-dessous de (°C)</translation>
    </message>
    <message>
        <source>Fan Monitoring:</source>
        <translation>Surveillance du ventilateur :</translation>
    </message>
    <message>
        <source>Switch On Fan above (°C)</source>
        <translation>Allumer le ventilateur au-dessus de (°C)</translation>
    </message>
    <message>
        <source>Switch Off Fan under (°C)</source>
        <translation>Éteindre le ventilateur au-dessous de (°C)</translation>
    </message>
    <message>
        <source>Write Configuration Permanent</source>
        <translation>Écrire la configuration (permanent)</translation>
    </message>
    <message>
        <source>Read Configuration</source>
        <translation>Lire la configuration</translation>
    </message>
    <message>
        <source>Manual Switch Control:</source>
        <translation>Commande manuelle des sorties :</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>Ventilateur</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>Spare</source>
        <translation>Réserve</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Écrire</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Sensor %1 - Unknown</source>
        <translation>Capteur %1 - Inconnu</translation>
    </message>
    <message>
        <source>Sensor %1 - None</source>
        <translation>Capteur %1 - Aucun</translation>
    </message>
    <message>
        <source>Sensor %1 - Temperature (°C)</source>
        <translation>Capteur %1 - Température (°C)</translation>
    </message>
    <message>
        <source>Sensor %1 - Humidity (%)</source>
        <translation>Capteur %1 - Humidité (%)</translation>
    </message>
    <message>
        <source>Sensor %1 - Brightness (lux)</source>
        <translation>Capteur %1 - Luminosité (lux)</translation>
    </message>
    <message>
        <source>Failed to read SASU manual switches!</source>
        <translation>Échec de la lecture des sorties manuelles du SASU !</translation>
    </message>
    <message>
        <source>Failed to write SASU manual switches!</source>
        <translation>Échec de l&apos;écriture des sorties manuelles du SASU !</translation>
    </message>
</context>
<context>
    <name>SystemSelect</name>
    <message>
        <source>System Selection</source>
        <translation>Sélection du système</translation>
    </message>
    <message>
        <source>Links available for the Lantrel:</source>
        <translation>Liaisons disponibles pour le Lantrel :</translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source>Ethernet settings:</source>
        <translation>Paramètres Ethernet :</translation>
    </message>
    <message>
        <source>IP to use: </source>
        <translation>IP à utiliser : </translation>
    </message>
    <message>
        <source>History of recently used adresses:</source>
        <translation>Historique des adresses récentes :</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connecter</translation>
    </message>
    <message>
        <source>Start Offline</source>
        <translation>Démarrer hors ligne</translation>
    </message>
    <message>
        <source>Type the VPU&apos;s address: four numbers from 0 to 255 separated by dots (0.0.0.0 is not an address).</source>
        <translation>Saisissez l&apos;adresse du VPU : quatre nombres de 0 à 255 séparés par des points (0.0.0.0 n&apos;est pas une adresse).</translation>
    </message>
</context>
<context>
    <name>TestControl</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Set full screen color to:</source>
        <translation>Couleur plein écran :</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>Custom Color:</source>
        <translation>Couleur personnalisée :</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Freeze current video output</source>
        <translation>Geler la sortie vidéo actuelle</translation>
    </message>
    <message>
        <source>Show Fixture Sequence Numbers</source>
        <translation>Afficher les numéros de séquence des appareils</translation>
    </message>
    <message>
        <source>Dot correction:</source>
        <translation>Correction point par point :</translation>
    </message>
    <message>
        <source>Disable on all fixtures</source>
        <translation>Désactiver sur tous les appareils</translation>
    </message>
    <message>
        <source>Enable on all fixtures</source>
        <translation>Activer sur tous les appareils</translation>
    </message>
    <message>
        <source>Disable on selected fixtures</source>
        <translation>Désactiver sur les appareils choisis</translation>
    </message>
    <message>
        <source>Enable on selected fixtures</source>
        <translation>Activer sur les appareils choisis</translation>
    </message>
    <message>
        <source>Stop test functions</source>
        <translation>Arrêter les fonctions de test</translation>
    </message>
    <message>
        <source>Failed to set dot correction state on all fixtures!</source>
        <translation>Échec du réglage de la correction point par point sur tous les appareils !</translation>
    </message>
    <message>
        <source>Failed to set dot correction state on fixture F%1.%2!</source>
        <translation>Échec du réglage de la correction point par point sur l&apos;appareil F%1.%2 !</translation>
    </message>
</context>
<context>
    <name>TestTools</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>FPGA and I2C</source>
        <translation>FPGA et I2C</translation>
    </message>
    <message>
        <source>FPGA</source>
        <translation>FPGA</translation>
    </message>
    <message>
        <source>Offset:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>0x</source>
        <translation>0x</translation>
    </message>
    <message>
        <source>HHHH; </source>
        <translation>HHHH; </translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>Valeur :</translation>
    </message>
    <message>
        <source>&gt;HH;_</source>
        <translation>&gt;HH;_</translation>
    </message>
    <message>
        <source>00</source>
        <translation>00</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Écrire</translation>
    </message>
    <message>
        <source>I2C</source>
        <translation>I2C</translation>
    </message>
    <message>
        <source>Link:</source>
        <translation>Liaison :</translation>
    </message>
    <message>
        <source>Chip Address:</source>
        <translation>Adresse du circuit :</translation>
    </message>
    <message>
        <source>Sub Address:</source>
        <translation>Sous-adresse :</translation>
    </message>
    <message>
        <source>Fpga Test Pattern:</source>
        <translation>Mire de test du FPGA :</translation>
    </message>
    <message>
        <source>Scaler Output</source>
        <translation>Sortie du redimensionneur</translation>
    </message>
    <message>
        <source>Fpga Output (Vertical Column)</source>
        <translation>Sortie du FPGA (colonne verticale)</translation>
    </message>
    <message>
        <source> Blackout SDRAM</source>
        <translation> Extinction SDRAM</translation>
    </message>
    <message>
        <source>SDRAM Input (Grayscale Diagonal)</source>
        <translation>Entrée SDRAM (diagonale en niveaux de gris)</translation>
    </message>
    <message>
        <source>SDRAM</source>
        <translation>SDRAM</translation>
    </message>
    <message>
        <source>Read / Write File:</source>
        <translation>Lecture / écriture de fichier :</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>Haut :</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Gauche :</translation>
    </message>
    <message>
        <source>Right:</source>
        <translation>Droite :</translation>
    </message>
    <message>
        <source>Bottom:</source>
        <translation>Bas :</translation>
    </message>
    <message>
        <source>Read From SDRAM:</source>
        <translation>Lire depuis la SDRAM :</translation>
    </message>
    <message>
        <source>temp.bmp</source>
        <translation>temp.bmp</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Write to SDRAM:</source>
        <translation>Écrire dans la SDRAM :</translation>
    </message>
    <message>
        <source>Write Pattern to SDRAM:</source>
        <translation>Écrire une mire dans la SDRAM :</translation>
    </message>
    <message>
        <source>RGB_Ramp</source>
        <translation>RGB_Ramp</translation>
    </message>
    <message>
        <source>Noise</source>
        <translation>Bruit</translation>
    </message>
    <message>
        <source>Full_Sdram_Red</source>
        <translation>Full_Sdram_Red</translation>
    </message>
    <message>
        <source>Read / Write Pixel:</source>
        <translation>Lecture / écriture de pixel :</translation>
    </message>
    <message>
        <source>Pixel Position</source>
        <translation>Position du pixel</translation>
    </message>
    <message>
        <source>x:</source>
        <translation>x :</translation>
    </message>
    <message>
        <source>y:</source>
        <translation>y :</translation>
    </message>
    <message>
        <source>Pixel Value:</source>
        <translation>Valeur du pixel :</translation>
    </message>
    <message>
        <source>Red: 0x</source>
        <translation>Rouge : 0x</translation>
    </message>
    <message>
        <source>&gt;HH; </source>
        <translation>&gt;HH; </translation>
    </message>
    <message>
        <source>FF</source>
        <translation>FF</translation>
    </message>
    <message>
        <source>Green: 0x</source>
        <translation>Vert : 0x</translation>
    </message>
    <message>
        <source>Blue: 0x</source>
        <translation>Bleu : 0x</translation>
    </message>
    <message>
        <source>VPU</source>
        <translation>VPU</translation>
    </message>
    <message>
        <source>Reboot:</source>
        <translation>Redémarrage :</translation>
    </message>
    <message>
        <source>Reboot MCU</source>
        <translation>Redémarrer le MCU</translation>
    </message>
    <message>
        <source>FLASH VPU:</source>
        <translation>FLASH du VPU :</translation>
    </message>
    <message>
        <source>Erase Sectors</source>
        <translation>Effacer les secteurs</translation>
    </message>
    <message>
        <source>Read / Write Short:</source>
        <translation>Lecture / écriture d&apos;un mot court :</translation>
    </message>
    <message>
        <source>&gt;HHHHHHHH; </source>
        <translation>&gt;HHHHHHHH; </translation>
    </message>
    <message>
        <source>00000000</source>
        <translation>00000000</translation>
    </message>
    <message>
        <source>Value : 0x</source>
        <translation>Valeur : 0x</translation>
    </message>
    <message>
        <source>&gt;HHHH; </source>
        <translation>&gt;HHHH; </translation>
    </message>
    <message>
        <source>0000</source>
        <translation>0000</translation>
    </message>
    <message>
        <source>Read Short</source>
        <translation>Lire le mot</translation>
    </message>
    <message>
        <source>Write Short</source>
        <translation>Écrire le mot</translation>
    </message>
    <message>
        <source>Data/vpu_flash.bin</source>
        <translation>Data/vpu_flash.bin</translation>
    </message>
    <message>
        <source>Size: 0x</source>
        <translation>Taille : 0x</translation>
    </message>
    <message>
        <source>LPU</source>
        <translation>LPU</translation>
    </message>
    <message>
        <source>LPU Memory Access:</source>
        <translation>Accès à la mémoire du LPU :</translation>
    </message>
    <message>
        <source>Fixture:</source>
        <translation>Appareil :</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>Broadcast</source>
        <translation>Diffusion</translation>
    </message>
    <message>
        <source>32bits Read/Write:</source>
        <translation>Lecture / écriture 32 bits :</translation>
    </message>
    <message>
        <source>&gt;HHHHHHHH;_</source>
        <translation>&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>File Read / Write:</source>
        <translation>Lecture / écriture de fichier :</translation>
    </message>
    <message>
        <source>Data/lpu_mem.dat</source>
        <translation>Data/lpu_mem.dat</translation>
    </message>
    <message>
        <source>Acquisition buffer Read / Write:</source>
        <translation>Lecture / écriture du tampon d&apos;acquisition :</translation>
    </message>
    <message>
        <source>Data/lpu_acq_buf.bmp</source>
        <translation>Data/lpu_acq_buf.bmp</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Redémarrer</translation>
    </message>
    <message>
        <source>Gain:</source>
        <translation>Gain :</translation>
    </message>
    <message>
        <source>Fixed_1.0</source>
        <translation>Fixed_1.0</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Aléatoire</translation>
    </message>
    <message>
        <source>Ramp</source>
        <translation>Rampe</translation>
    </message>
    <message>
        <source>No_Gain</source>
        <translation>No_Gain</translation>
    </message>
    <message>
        <source>0.25R - 0.25G - 0.25B</source>
        <translation>0.25R - 0.25G - 0.25B</translation>
    </message>
    <message>
        <source>0.50R - 0.50G - 0.50B</source>
        <translation>0.50R - 0.50G - 0.50B</translation>
    </message>
    <message>
        <source>0.75R - 0.75G - 0.75B</source>
        <translation>0.75R - 0.75G - 0.75B</translation>
    </message>
    <message>
        <source>0.25R - 0.00G - 0.00B</source>
        <translation>0.25R - 0.00G - 0.00B</translation>
    </message>
    <message>
        <source>0.50R - 0.00G - 0.00B</source>
        <translation>0.50R - 0.00G - 0.00B</translation>
    </message>
    <message>
        <source>0.75R - 0.00G - 0.00B</source>
        <translation>0.75R - 0.00G - 0.00B</translation>
    </message>
    <message>
        <source>1.00R - 0.00G - 0.00B</source>
        <translation>1.00R - 0.00G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 0.25G - 0.00B</source>
        <translation>0.00R - 0.25G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 0.50G - 0.00B</source>
        <translation>0.00R - 0.50G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 0.75G - 0.00B</source>
        <translation>0.00R - 0.75G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 1.00G - 0.00B</source>
        <translation>0.00R - 1.00G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 0.00G - 0.25B</source>
        <translation>0.00R - 0.00G - 0.25B</translation>
    </message>
    <message>
        <source>0.00R - 0.00G - 0.50B</source>
        <translation>0.00R - 0.00G - 0.50B</translation>
    </message>
    <message>
        <source>0.00R - 0.00G - 0.75B</source>
        <translation>0.00R - 0.00G - 0.75B</translation>
    </message>
    <message>
        <source>0.00R - 0.00G - 1.00B</source>
        <translation>0.00R - 0.00G - 1.00B</translation>
    </message>
    <message>
        <source>0.801207R - 0.510364G - 0.691482B</source>
        <translation>0.801207R - 0.510364G - 0.691482B</translation>
    </message>
    <message>
        <source>All_0.0</source>
        <translation>All_0.0</translation>
    </message>
    <message>
        <source>Counters</source>
        <translation>Compteurs</translation>
    </message>
    <message>
        <source>VU</source>
        <translation>VU</translation>
    </message>
    <message>
        <source>ELDIM</source>
        <translation>ELDIM</translation>
    </message>
    <message>
        <source>RADIANT</source>
        <translation>RADIANT</translation>
    </message>
    <message>
        <source>Gain\test.vu3</source>
        <translation>Gain\test.vu3</translation>
    </message>
    <message>
        <source>Gain\test.eldim</source>
        <translation>Gain\test.eldim</translation>
    </message>
    <message>
        <source>Gain\test.radiant</source>
        <translation>Gain\test.radiant</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Générer</translation>
    </message>
    <message>
        <source>LED Mapping:</source>
        <translation>Cartographie des LED :</translation>
    </message>
    <message>
        <source>Driver Input:</source>
        <translation>Entrée du pilote :</translation>
    </message>
    <message>
        <source>Start 0 - Top to Bottom (Curtain) - Right to Left (Cabinet)</source>
        <translation>Début 0 - de haut en bas (rideau) - de droite à gauche (caisson)</translation>
    </message>
    <message>
        <source>Start 63 - Bottom to Top (Curtain) - Left to Right (Cabinet)</source>
        <translation>Début 63 - de bas en haut (rideau) - de gauche à droite (caisson)</translation>
    </message>
    <message>
        <source>LED Order and number (from opposite of driver input)</source>
        <translation>Ordre et nombre des LED (depuis le côté opposé à l&apos;entrée du pilote)</translation>
    </message>
    <message>
        <source>First Color</source>
        <translation>Première couleur</translation>
    </message>
    <message>
        <source>Second Color</source>
        <translation>Deuxième couleur</translation>
    </message>
    <message>
        <source>Third Color</source>
        <translation>Troisième couleur</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>MIF</source>
        <translation>MIF</translation>
    </message>
    <message>
        <source>MAP</source>
        <translation>MAP</translation>
    </message>
    <message>
        <source>Firmwares\1R1G1B_First_Pixel_0_Curtain.mif</source>
        <translation>Firmwares\1R1G1B_First_Pixel_0_Curtain.mif</translation>
    </message>
    <message>
        <source>Firmwares\1R1G1B_First_Pixel_0_Curtain.map</source>
        <translation>Firmwares\1R1G1B_First_Pixel_0_Curtain.map</translation>
    </message>
    <message>
        <source>Firmwares\16R16G16B_First_Pixel_0_Cabinet.mif</source>
        <translation>Firmwares\16R16G16B_First_Pixel_0_Cabinet.mif</translation>
    </message>
    <message>
        <source>Firmwares\16R16G16B_First_Pixel_0_Cabinet.map</source>
        <translation>Firmwares\16R16G16B_First_Pixel_0_Cabinet.map</translation>
    </message>
    <message>
        <source>Script</source>
        <translation>Script</translation>
    </message>
    <message>
        <source>Script Player:</source>
        <translation>Lecteur de scripts :</translation>
    </message>
    <message>
        <source>Run Script</source>
        <translation>Exécuter le script</translation>
    </message>
    <message>
        <source>Failed to Erase Flash Sector at offset 0x%1! Stop Erase sequence!</source>
        <translation>Échec de l&apos;effacement du secteur de flash à l&apos;adresse 0x%1 ! Effacement interrompu !</translation>
    </message>
    <message>
        <source>Failed to write flash short word at offset &apos;0x%1&apos; with value &apos;0x%2&apos;</source>
        <translation>Échec de l&apos;écriture du mot court &apos;0x%2&apos; dans la flash à l&apos;adresse &apos;0x%1&apos;</translation>
    </message>
    <message>
        <source>Failed to write &apos;%1&apos; file on flash at offset &apos;0x%2&apos;</source>
        <translation>Échec de l&apos;écriture du fichier &apos;%1&apos; dans la flash à l&apos;adresse &apos;0x%2&apos;</translation>
    </message>
    <message>
        <source>Select the Flash Output file</source>
        <translation>Choisir le fichier de sortie de la flash</translation>
    </message>
    <message>
        <source>Select the file to write in flash</source>
        <translation>Choisir le fichier à écrire dans la flash</translation>
    </message>
    <message>
        <source>Select the Gain Output file (%1)</source>
        <translation>Choisir le fichier de gain à écrire (%1)</translation>
    </message>
    <message>
        <source>Failed to generate fixture gain file!</source>
        <translation>Échec de la génération du fichier de gain de l&apos;appareil !</translation>
    </message>
    <message>
        <source>Select the LED Mapping Output file (%1)</source>
        <translation>Choisir le fichier de cartographie des LED à écrire (%1)</translation>
    </message>
    <message>
        <source>Failed to write file to fixture memory!</source>
        <translation>Échec de l&apos;écriture du fichier dans la mémoire de l&apos;appareil !</translation>
    </message>
    <message>
        <source>Failed to write image file to fixture Acquisition Buffer</source>
        <translation>Échec de l&apos;écriture de l&apos;image dans le tampon d&apos;acquisition de l&apos;appareil</translation>
    </message>
    <message>
        <source>Select the fixture memory data Input file</source>
        <translation>Choisir le fichier de données à écrire dans la mémoire de l&apos;appareil</translation>
    </message>
    <message>
        <source>Select the fixture memory data Output file</source>
        <translation>Choisir le fichier où enregistrer la mémoire de l&apos;appareil</translation>
    </message>
    <message>
        <source>Select the fixture Acquisition buffer Output file (%1)</source>
        <translation>Choisir le fichier où enregistrer le tampon d&apos;acquisition de l&apos;appareil (%1)</translation>
    </message>
    <message>
        <source>Select the fixture Acquisition Output file (%1)</source>
        <translation>Choisir le fichier d&apos;acquisition de l&apos;appareil (%1)</translation>
    </message>
    <message>
        <source>Select the script file (%1)</source>
        <translation>Choisir le fichier de script (%1)</translation>
    </message>
    <message>
        <source>Select the SDRAM Output file (%1)</source>
        <translation>Choisir le fichier où enregistrer la SDRAM (%1)</translation>
    </message>
    <message>
        <source>Select the SDRAM Input file (%1)</source>
        <translation>Choisir le fichier à écrire dans la SDRAM (%1)</translation>
    </message>
    <message>
        <source>Sector %1 - %2KB - Offset 0x%3</source>
        <translation>Secteur %1 - %2 Ko - Adresse 0x%3</translation>
    </message>
</context>
<context>
    <name>ToolBox</name>
    <message>
        <source>Upload Configuration From VPU</source>
        <translation>Récupérer la configuration du VPU</translation>
    </message>
    <message>
        <source>Download Configuration to VPU</source>
        <translation>Envoyer la configuration au VPU</translation>
    </message>
    <message>
        <source>Launch fixture enumeration on VPU</source>
        <translation>Lancer l&apos;énumération des appareils sur le VPU</translation>
    </message>
    <message>
        <source>Reset Fixtures</source>
        <translation>Réinitialiser les appareils</translation>
    </message>
    <message>
        <source>Add Fixtures</source>
        <translation>Ajouter des appareils</translation>
    </message>
    <message>
        <source>Delete selected Fixtures</source>
        <translation>Supprimer les appareils choisis</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Zoom All</source>
        <translation>Tout afficher</translation>
    </message>
</context>
<context>
    <name>Traces</name>
    <message>
        <source>Traces</source>
        <translation>Traces</translation>
    </message>
</context>
<context>
    <name>VideoInput</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Video Input :</source>
        <translation>Entrée vidéo :</translation>
    </message>
    <message>
        <source>Source :</source>
        <translation>Source :</translation>
    </message>
    <message>
        <source>DVI 1</source>
        <translation>DVI 1</translation>
    </message>
    <message>
        <source>DVI 2</source>
        <translation>DVI 2</translation>
    </message>
    <message>
        <source>HDMI 1</source>
        <translation>HDMI 1</translation>
    </message>
    <message>
        <source>HDMI 2</source>
        <translation>HDMI 2</translation>
    </message>
    <message>
        <source>Get Format</source>
        <translation>Lire le format</translation>
    </message>
    <message>
        <source>Rotation :</source>
        <translation>Rotation :</translation>
    </message>
    <message>
        <source>Resize to :</source>
        <translation>Redimensionner en :</translation>
    </message>
    <message>
        <source>Standard :</source>
        <translation>Standard :</translation>
    </message>
    <message>
        <source>1920x1080 (60Hz)</source>
        <translation>1920x1080 (60Hz)</translation>
    </message>
    <message>
        <source>Custom :</source>
        <translation>Personnalisé :</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontale</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Verticale</translation>
    </message>
    <message>
        <source>Top-left position :</source>
        <translation>Position du coin supérieur gauche :</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Video Presets :</source>
        <translation>Préréglages vidéo :</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Écrire</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>HD1080 - 1920x1080</source>
        <translation>HD1080 - 1920x1080</translation>
    </message>
    <message>
        <source>UXGA - 1600x1200</source>
        <translation>UXGA - 1600x1200</translation>
    </message>
    <message>
        <source>SXGA - 1280x1024</source>
        <translation>SXGA - 1280x1024</translation>
    </message>
    <message>
        <source>HD720 - 1280x720</source>
        <translation>HD720 - 1280x720</translation>
    </message>
    <message>
        <source>XGA - 1024x768</source>
        <translation>XGA - 1024x768</translation>
    </message>
    <message>
        <source>Not Locked</source>
        <translation>Non verrouillé</translation>
    </message>
    <message>
        <source>Interlaced</source>
        <translation>Entrelacé</translation>
    </message>
    <message>
        <source>Progressive</source>
        <translation>Progressif</translation>
    </message>
    <message>
        <source> - Encrypted</source>
        <translation> - Chiffré</translation>
    </message>
    <message>
        <source>Send video setting to VPU</source>
        <translation>Envoyer le réglage vidéo au VPU</translation>
    </message>
    <message>
        <source>Select video setting memory destination:</source>
        <translation>Mémoire de destination du réglage vidéo :</translation>
    </message>
    <message>
        <source>Read video setting to VPU</source>
        <translation>Lire le réglage vidéo du VPU</translation>
    </message>
    <message>
        <source>Select video setting memory source:</source>
        <translation>Mémoire source du réglage vidéo :</translation>
    </message>
</context>
<context>
    <name>VpuMemorySlot</name>
    <message>
        <source>Current (Volatile)</source>
        <translation>Actuel (volatile)</translation>
    </message>
    <message>
        <source>Default (Permanent loaded on system boot)</source>
        <translation>Par défaut (permanent, chargé au démarrage)</translation>
    </message>
    <message>
        <source>Preset 1 (Permanent)</source>
        <translation>Préréglage 1 (permanent)</translation>
    </message>
    <message>
        <source>Preset 2 (Permanent)</source>
        <translation>Préréglage 2 (permanent)</translation>
    </message>
    <message>
        <source>Preset 3 (Permanent)</source>
        <translation>Préréglage 3 (permanent)</translation>
    </message>
    <message>
        <source>Preset 4 (Permanent)</source>
        <translation>Préréglage 4 (permanent)</translation>
    </message>
    <message>
        <source>Preset 5 (Permanent)</source>
        <translation>Préréglage 5 (permanent)</translation>
    </message>
    <message>
        <source>Preset 6 (Permanent)</source>
        <translation>Préréglage 6 (permanent)</translation>
    </message>
    <message>
        <source>Preset 7 (Permanent)</source>
        <translation>Préréglage 7 (permanent)</translation>
    </message>
    <message>
        <source>Preset 8 (Permanent)</source>
        <translation>Préréglage 8 (permanent)</translation>
    </message>
</context>
<context>
    <name>VpuUpdate</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>MCU Firmware:</source>
        <translation>Micrologiciel du MCU :</translation>
    </message>
    <message>
        <source>Current Version:</source>
        <translation>Version actuelle :</translation>
    </message>
    <message>
        <source>BootLoader:</source>
        <translation>Chargeur d&apos;amorçage :</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnue</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Logiciel :</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Update Link:</source>
        <translation>Liaison de mise à jour :</translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Adresse IP</translation>
    </message>
    <message>
        <source>999.999.999.999; </source>
        <translation>999.999.999.999; </translation>
    </message>
    <message>
        <source>169.254.001.011</source>
        <translation>169.254.001.011</translation>
    </message>
    <message>
        <source>UDP Port</source>
        <translation>Port UDP</translation>
    </message>
    <message>
        <source>99999; </source>
        <translation>99999; </translation>
    </message>
    <message>
        <source>6234</source>
        <translation>6234</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>VID</source>
        <translation>VID</translation>
    </message>
    <message>
        <source>&gt;HHHH;_</source>
        <translation>&gt;HHHH;_</translation>
    </message>
    <message>
        <source>04D8</source>
        <translation>04D8</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>003C</source>
        <translation>003C</translation>
    </message>
    <message>
        <source>Full Automatic Program MCU</source>
        <translation>Programmation du MCU tout automatique</translation>
    </message>
    <message>
        <source>Connect to BootLoader and Program MCU</source>
        <translation>Connecter le chargeur d&apos;amorçage et programmer le MCU</translation>
    </message>
    <message>
        <source>MCU Data</source>
        <translation>Données du MCU</translation>
    </message>
    <message>
        <source>Program MCU Data</source>
        <translation>Programmer les données du MCU</translation>
    </message>
    <message>
        <source>Factory Parameters:</source>
        <translation>Paramètres d&apos;usine :</translation>
    </message>
    <message>
        <source>VPU Type:</source>
        <translation>Type de VPU :</translation>
    </message>
    <message>
        <source>0x</source>
        <translation>0x</translation>
    </message>
    <message>
        <source>&gt;HHHHHHHH;_</source>
        <translation>&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>FFFFFFFF</source>
        <translation>FFFFFFFF</translation>
    </message>
    <message>
        <source>Serial Number:</source>
        <translation>Numéro de série :</translation>
    </message>
    <message>
        <source>Manufacturer Code:</source>
        <translation>Code fabricant :</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programmer</translation>
    </message>
    <message>
        <source>FPGA Firmware:</source>
        <translation>Micrologiciel du FPGA :</translation>
    </message>
    <message>
        <source>Program FPGA</source>
        <translation>Programmer le FPGA</translation>
    </message>
    <message>
        <source>Get Current Settings</source>
        <translation>Lire les réglages actuels</translation>
    </message>
    <message>
        <source>Select the firmware file to program in MCU (%1)</source>
        <translation>Choisir le fichier de micrologiciel à programmer dans le MCU (%1)</translation>
    </message>
    <message>
        <source>Select the FPGA firmware file to program in FLASH (%1)</source>
        <translation>Choisir le fichier de micrologiciel FPGA à programmer en FLASH (%1)</translation>
    </message>
    <message>
        <source>Select the MCU Data file list to program in FLASH (%1)</source>
        <translation>Choisir la liste des fichiers de données du MCU à programmer en FLASH (%1)</translation>
    </message>
    <message>
        <source>VPU&apos;s User FPGA Firmware programmation Failed!</source>
        <translation>Échec de la programmation du micrologiciel FPGA utilisateur du VPU !</translation>
    </message>
    <message>
        <source>Failed to load MCU Hex File &apos;%1&apos;</source>
        <translation>Échec du chargement du fichier Hex du MCU &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Failed to program MCU!</source>
        <translation>Échec de la programmation du MCU !</translation>
    </message>
    <message>
        <source>Invalid MCU data file list: &apos;%1&apos;</source>
        <translation>Liste de fichiers de données du MCU invalide : &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Failed to program MCU data in VPU&apos;s FLASH!</source>
        <translation>Échec de la programmation des données du MCU dans la FLASH du VPU !</translation>
    </message>
</context>
<context>
    <name>Welcome</name>
    <message>
        <source>Company Icon</source>
        <translation>Logo de la société</translation>
    </message>
    <message>
        <source>Invalid Company Information File &apos;%1&apos;!</source>
        <translation>Fichier d&apos;information de la société &apos;%1&apos; invalide !</translation>
    </message>
    <message>
        <source>Failed to open traduction file &apos;%1&apos;!</source>
        <translation>Échec de l&apos;ouverture du fichier de traduction &apos;%1&apos; !</translation>
    </message>
    <message>
        <source>Load Graphical User Interface in &apos;English&apos; language.</source>
        <translation>Chargement de l&apos;interface graphique en anglais.</translation>
    </message>
</context>
<context>
    <name>Workspace</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Red border</source>
        <translation>Bordure rouge</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille :</translation>
    </message>
    <message>
        <source>width</source>
        <translation>largeur</translation>
    </message>
    <message>
        <source>height</source>
        <translation>hauteur</translation>
    </message>
    <message>
        <source>Top-Left position:</source>
        <translation>Position du coin supérieur gauche :</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Verticale</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontale</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Arrière-plan</translation>
    </message>
    <message>
        <source>Upload Snaphost</source>
        <translation>Récupérer une capture</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Ratio:</source>
        <translation>Rapport :</translation>
    </message>
    <message>
        <source>Resize to:</source>
        <translation>Redimensionner en :</translation>
    </message>
    <message>
        <source>Keep original:</source>
        <translation>Garder l&apos;original :</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Grille</translation>
    </message>
    <message>
        <source>pixels spacing</source>
        <translation>pixels d&apos;espacement</translation>
    </message>
    <message>
        <source>Background image &apos;%1&apos; file format is not valid!</source>
        <translation>Le format du fichier d&apos;image d&apos;arrière-plan &apos;%1&apos; n&apos;est pas valide !</translation>
    </message>
    <message>
        <source>Background image file &apos;%1&apos; is not valid!</source>
        <translation>Le fichier d&apos;image d&apos;arrière-plan &apos;%1&apos; n&apos;est pas valide !</translation>
    </message>
    <message>
        <source>Choose Background Image File</source>
        <translation>Choisir le fichier d&apos;image d&apos;arrière-plan</translation>
    </message>
    <message>
        <source>Images (*.bmp *.gif *.jpg *.jpeg *.png *.pbm *.pgm *.ppm *.tiff *.xbm *.xpm)</source>
        <translation>Images (*.bmp *.gif *.jpg *.jpeg *.png *.pbm *.pgm *.ppm *.tiff *.xbm *.xpm)</translation>
    </message>
    <message>
        <source>Select the VPU snapshot image output file</source>
        <translation>Choisir le fichier où enregistrer la capture du VPU</translation>
    </message>
    <message>
        <source>VPU Snapshot Failed - Failed to read pixel data from sdram!</source>
        <translation>Échec de la capture du VPU - échec de la lecture des pixels dans la SDRAM !</translation>
    </message>
    <message>
        <source>VPU Snapshot Failed - Failed to save VPU Snaphot image in &apos;%1&apos;</source>
        <translation>Échec de la capture du VPU - échec de l&apos;enregistrement de l&apos;image dans &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>Zelvor</name>
    <message>
        <source>Offline</source>
        <translation>Hors ligne</translation>
    </message>
    <message>
        <source>Online : Connected to &apos;%1&apos;</source>
        <translation>En ligne : connecté à &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Failed to initialize communication with VPU!</source>
        <translation>Échec de l&apos;initialisation de la communication avec le VPU !</translation>
    </message>
    <message>
        <source>Failed to open connexion with VPU!</source>
        <translation>Échec de l&apos;ouverture de la connexion avec le VPU !</translation>
    </message>
    <message>
        <source>Lantrel</source>
        <translation>Lantrel</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Recent Projects</source>
        <translation>Projets récents</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Outils</translation>
    </message>
    <message>
        <source>Video settings</source>
        <translation>Réglages vidéo</translation>
    </message>
    <message>
        <source>Fixture settings</source>
        <translation>Réglages de l&apos;appareil</translation>
    </message>
    <message>
        <source>Workspace settings</source>
        <translation>Réglages de l&apos;espace de travail</translation>
    </message>
    <message>
        <source>Fixtures Lists</source>
        <translation>Listes des appareils</translation>
    </message>
    <message>
        <source>SASU Settings and Monitoring</source>
        <translation>Réglages et surveillance des SASU</translation>
    </message>
    <message>
        <source>Test Functions</source>
        <translation>Fonctions de test</translation>
    </message>
    <message>
        <source>Global Color Settings</source>
        <translation>Réglages globaux des couleurs</translation>
    </message>
    <message>
        <source>Color Control</source>
        <translation>Réglage des couleurs</translation>
    </message>
    <message>
        <source>Custom Fixture Paintbrush</source>
        <translation>Pinceau d&apos;appareils personnalisé</translation>
    </message>
    <message>
        <source>Group Settings</source>
        <translation>Réglages du groupe</translation>
    </message>
    <message>
        <source>Fixture Update</source>
        <translation>Mise à jour des appareils</translation>
    </message>
    <message>
        <source>VPU Update</source>
        <translation>Mise à jour du VPU</translation>
    </message>
    <message>
        <source>DMX Mapping Configuration</source>
        <translation>Configuration de l&apos;affectation DMX</translation>
    </message>
    <message>
        <source>Test Tools</source>
        <translation>Outils de test</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Open Project</source>
        <translation>Ouvrir un projet</translation>
    </message>
    <message>
        <source>Save Project</source>
        <translation>Enregistrer le projet</translation>
    </message>
    <message>
        <source>New Empty Project</source>
        <translation>Nouveau projet vide</translation>
    </message>
    <message>
        <source>Save Project As...</source>
        <translation>Enregistrer le projet sous...</translation>
    </message>
    <message>
        <source>Fixtures Update</source>
        <translation>Mise à jour des appareils</translation>
    </message>
    <message>
        <source>(Error Code = %1) - </source>
        <translation>(Code d&apos;erreur = %1) - </translation>
    </message>
    <message>
        <source>%1 - V%2 - %3</source>
        <translation>%1 - V%2 - %3</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Mode :</translation>
    </message>
    <message>
        <source>Project:</source>
        <translation>Projet :</translation>
    </message>
    <message>
        <source> Restricted Function </source>
        <translation> Fonction réservée </translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Invalid Password!</source>
        <translation>Mot de passe invalide !</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Failed to load file &apos;%1&apos;</source>
        <translation>Échec du chargement du fichier &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Invalid fixture block: %1 x %2 fixtures of %3 x %4 pixels!</source>
        <translation>Bloc d&apos;appareils invalide : %1 x %2 appareils de %3 x %4 pixels !</translation>
    </message>
    <message>
        <source>Fixture(s) does not fit in the Full Screen width!</source>
        <translation>Les appareils ne tiennent pas dans la largeur de l&apos;écran !</translation>
    </message>
    <message>
        <source>Fixture(s) does not fit in the Full Screen height!</source>
        <translation>Les appareils ne tiennent pas dans la hauteur de l&apos;écran !</translation>
    </message>
    <message>
        <source>No free number is left for %1 more fixtures that are not cabled!</source>
        <translation>Plus aucun numéro libre pour %1 appareils de plus non câblés !</translation>
    </message>
    <message>
        <source>No free group number is left: a project holds at most %1 groups!</source>
        <translation>Plus aucun numéro de groupe libre : un projet compte au plus %1 groupes !</translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation>Groupe %1</translation>
    </message>
    <message>
        <source>&amp;Group Fixtures</source>
        <translation>&amp;Grouper les appareils</translation>
    </message>
    <message>
        <source>&amp;UnGroup Fixtures</source>
        <translation>&amp;Dégrouper les appareils</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>En &amp;haut</translation>
    </message>
    <message>
        <source>&amp;Bottom</source>
        <translation>En &amp;bas</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>À &amp;gauche</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>À &amp;droite</translation>
    </message>
    <message>
        <source>&amp;Set rotation to...</source>
        <translation>&amp;Régler la rotation...</translation>
    </message>
    <message>
        <source>&amp;Align</source>
        <translation>&amp;Aligner</translation>
    </message>
    <message>
        <source>&amp;Fixture Menu</source>
        <translation>Menu &amp;appareil</translation>
    </message>
    <message>
        <source>Set Fixture and Group Rotation</source>
        <translation>Rotation des appareils et des groupes</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Angle :</translation>
    </message>
    <message>
        <source>Invalid background file &apos;%1&apos;!</source>
        <translation>Fichier d&apos;arrière-plan &apos;%1&apos; invalide !</translation>
    </message>
    <message>
        <source>Connecting to &apos;%1&apos;...</source>
        <translation>Connexion à &apos;%1&apos;...</translation>
    </message>
    <message>
        <source>Configuration Download to VPU</source>
        <translation>Envoi de la configuration au VPU</translation>
    </message>
    <message>
        <source>Do you want to download the current configuration to connected VPU ?</source>
        <translation>Voulez-vous envoyer la configuration actuelle au VPU connecté ?</translation>
    </message>
    <message>
        <source>Invalid project configuration: All fixtures are not cabled!</source>
        <translation>Configuration du projet invalide : des appareils ne sont pas câblés !</translation>
    </message>
    <message>
        <source>Checking fixture number connected to VPU...</source>
        <translation>Vérification du nombre d&apos;appareils connectés au VPU...</translation>
    </message>
    <message>
        <source>Checking fixture types...</source>
        <translation>Vérification des types d&apos;appareils...</translation>
    </message>
    <message>
        <source>Writing configuration on fixture %1/%2...</source>
        <translation>Écriture de la configuration de l&apos;appareil %1/%2...</translation>
    </message>
    <message>
        <source>Writing Video presettings...</source>
        <translation>Écriture des préréglages vidéo...</translation>
    </message>
    <message>
        <source>Writing DMX mapping...</source>
        <translation>Écriture de l&apos;affectation DMX...</translation>
    </message>
    <message>
        <source>Resetting fixtures...</source>
        <translation>Réinitialisation des appareils...</translation>
    </message>
    <message>
        <source>Invalid scene configuration: Enumeration is not done on VPU (HDMI_OUT_%1)!</source>
        <translation>Configuration de la scène invalide : l&apos;énumération n&apos;est pas faite sur le VPU (HDMI_OUT_%1) !</translation>
    </message>
    <message>
        <source>Invalid scene configuration: VPU detects %1 LPUs on HDMI_OUT_%2 although project requires %3 LPUs!</source>
        <translation>Configuration de la scène invalide : le VPU détecte %1 LPU sur HDMI_OUT_%2 alors que le projet en demande %3 !</translation>
    </message>
    <message>
        <source>Invalid scene configuration: VPU detects %1 SASUs on HDMI_OUT_%2 although project requires %3 SASUs!</source>
        <translation>Configuration de la scène invalide : le VPU détecte %1 SASU sur HDMI_OUT_%2 alors que le projet en demande %3 !</translation>
    </message>
    <message>
        <source>Invalid scene configuration: The fixtures on HDMI_OUT_%1 are not numbered 1 to %2 as the VPU enumerated them!</source>
        <translation>Configuration de la scène invalide : les appareils de HDMI_OUT_%1 ne sont pas numérotés de 1 à %2 comme le VPU les a énumérés !</translation>
    </message>
    <message>
        <source>Invalid scene configuration: Type of fixture (SASU or LPU) read from F%1.%2 is not the same that in the project configuration!</source>
        <translation>Configuration de la scène invalide : le type d&apos;appareil (SASU ou LPU) lu sur F%1.%2 diffère de celui de la configuration du projet !</translation>
    </message>
    <message>
        <source>Project downloaded to VPU!</source>
        <translation>Projet envoyé au VPU !</translation>
    </message>
    <message>
        <source>Failed to download project to VPU!</source>
        <translation>Échec de l&apos;envoi du projet au VPU !</translation>
    </message>
    <message>
        <source>Failed to upload project from VPU!</source>
        <translation>Échec de la récupération du projet depuis le VPU !</translation>
    </message>
    <message>
        <source>Failed to create fixture!</source>
        <translation>Échec de la création de l&apos;appareil !</translation>
    </message>
    <message>
        <source>Unknown fixture group number %1!</source>
        <translation>Numéro de groupe d&apos;appareils %1 inconnu !</translation>
    </message>
    <message>
        <source>Save Project ?</source>
        <translation>Enregistrer le projet ?</translation>
    </message>
    <message>
        <source>Do you want to save the current project?</source>
        <translation>Voulez-vous enregistrer le projet actuel ?</translation>
    </message>
    <message>
        <source>New Project</source>
        <translation>Nouveau projet</translation>
    </message>
    <message>
        <source>Failed to save project to &apos;%1&apos;!</source>
        <translation>Échec de l&apos;enregistrement du projet dans &apos;%1&apos; !</translation>
    </message>
    <message>
        <source>Save Project - Choose Project Configuration file</source>
        <translation>Enregistrer le projet - choisir le fichier de configuration du projet</translation>
    </message>
    <message>
        <source>Failed to parse configuration file!</source>
        <translation>Échec de l&apos;analyse du fichier de configuration !</translation>
    </message>
    <message>
        <source>&apos;%1&apos; %2</source>
        <translation>&apos;%1&apos; %2</translation>
    </message>
    <message>
        <source>Choose Project Configuration file</source>
        <translation>Choisir le fichier de configuration du projet</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Failed to load Trace settings in configuration file!</source>
        <translation>Échec du chargement des réglages des traces depuis le fichier de configuration !</translation>
    </message>
    <message>
        <source>The configuration file &apos;%1&apos; cannot be read!</source>
        <translation>Le fichier de configuration &apos;%1&apos; ne peut pas être lu !</translation>
    </message>
    <message>
        <source>Not well-formed XML at %1
The program runs with its built-in settings (no fixture types, empty histories, traces in the window only) and leaves the file as it is: repair or remove it, then start again.</source>
        <translation>XML mal formé en %1
Le programme utilise ses réglages intégrés (aucun type d&apos;appareil, historiques vides, traces dans la fenêtre seulement) et laisse le fichier tel quel : réparez-le ou supprimez-le, puis relancez.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
</TS>
