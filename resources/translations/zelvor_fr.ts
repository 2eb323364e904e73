<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
        <source>Failed to open connexion with VPU!</source>
        <translation>Échec de l&apos;ouverture de la connexion avec le VPU !</translation>
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
        <translation>Impossible d&apos;ouvrir le fichier de traduction &apos;%1&apos; !</translation>
    </message>
    <message>
        <source>Load Graphical User Interface in &apos;English&apos; language.</source>
        <translation>Interface graphique chargée en langue &apos;anglaise&apos;.</translation>
    </message>
</context>
<context>
    <name>ToolBox</name>
    <message>
        <source>Upload Configuration From VPU</source>
        <translation>Charger la configuration depuis le VPU</translation>
    </message>
    <message>
        <source>Download Configuration to VPU</source>
        <translation>Envoyer la configuration au VPU</translation>
    </message>
    <message>
        <source>Launch fixture enumeration on VPU</source>
        <translation>Lancer l&apos;énumération des luminaires sur le VPU</translation>
    </message>
    <message>
        <source>Reset Fixtures</source>
        <translation>Réinitialiser les luminaires</translation>
    </message>
    <message>
        <source>Add Fixtures</source>
        <translation>Ajouter des luminaires</translation>
    </message>
    <message>
        <source>Delete selected Fixtures</source>
        <translation>Supprimer les luminaires sélectionnés</translation>
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
</context>
</TS>
