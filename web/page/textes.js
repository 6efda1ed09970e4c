// The texts only the web edition shows (the core gives all the others).
// Menu captions are the desktop's, with its "&" marks.
export const textes = {
    aPropos: "Trevane, logiciel pour une première initiation à l'algorithmique.\nConçu et réalisé par l'équipe Trevane, avec Qt.",
    lienCopie: 'Lien copié dans le presse-papiers.',
    lienNonCopie: 'Lien du programme (copiez-le) :',
    lienTropLong: (n, max) => `Ce programme est trop long pour un lien : le lien aurait ${n} caractères, ` +
        `plus que les ${max} que la plupart des messageries transmettent. Enregistrez-le plutôt dans un fichier.`,
    lienAbime: 'Ce lien ne contient pas de programme lisible : il a peut-être été coupé.',
    lienSurCopie: 'Ce lien contient un programme. Remplacer le programme restauré par celui du lien ?',
    enregistrerSous: 'Enregistrer sous',
    nomFichier: 'Nom du fichier :',
    suiviSous: 'Exporter le suivi',
    erreurInterne: (m) => `Le moteur de Trevane s'est arrêté sur une erreur interne (${m}). ` +
        'La session a été reconstruite sans la dernière commande.',
    ecritureImpossible: (nom, m) => `Impossible de créer le fichier ${nom}\n${m}`,
    quitter: 'Le programme a été modifié depuis la dernière sauvegarde.',
    // The desktop's announcements after a run command.
    erreurLigne: (n) => `Erreur à la ligne ${n}`,
    suspendueLigne: (n) => `Exécution suspendue, prochaine instruction ligne ${n}.`,
    suspendue: 'Exécution suspendue.',
    terminee: 'Exécution terminée.',
    lignesAffichees: (n) => `${n} lignes affichées.`,
    boutons: { ok: 'OK', oui: 'Oui', non: 'Non', annuler: 'Annuler', supprimer: 'Supprimer la copie' },
};
