#!/usr/bin/python3
"""The window as a screen reader reads it through AT-SPI: starts Trevane on
a program, runs it from the Exécution menu, then checks that the results
pane's text holds the program's lines, that every focusable object shown
has a name, and that F6 takes the focus through the four areas. Prints the
tree of the main window's areas. usage: lire_fenetre.py TREVANE [CAPTURES]"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

trevane = sys.argv[1]
captures = sys.argv[2] if len(sys.argv) > 2 else ""
echecs = []


def verifier(condition, quoi):
    print(("ok   " if condition else "ÉCHEC ") + quoi)
    if not condition:
        echecs.append(quoi)


def attendre(condition, secondes=20):
    fin = time.time() + secondes
    while time.time() < fin:
        try:
            resultat = condition()
        except Exception:
            resultat = None
        if resultat:
            return resultat
        time.sleep(0.2)
    return None


def application():
    bureau = pyatspi.Registry.getDesktop(0)
    for i in range(bureau.childCount):
        app = bureau.getChildAtIndex(i)
        if app is not None and app.name and "trevane" in app.name.lower():
            return app
    return None


def tous(objet, profondeur=0):
    yield objet, profondeur
    for i in range(objet.childCount):
        enfant = objet.getChildAtIndex(i)
        if enfant is not None:
            yield from tous(enfant, profondeur + 1)


def trouver(racine, nom=None, role=None):
    for objet, _ in tous(racine):
        if (nom is None or objet.name == nom) and (role is None or objet.getRoleName() == role):
            return objet
    return None


def texte(objet):
    t = objet.queryText()
    return t.getText(0, t.characterCount)


def actionner(racine, nom):
    objet = None
    for candidat, _ in tous(racine):
        if candidat.name == nom and "menu item" in candidat.getRoleName():
            objet = candidat
            break
    if objet is None:
        raise RuntimeError("pas de commande " + nom)
    objet.queryAction().doAction(0)


ZONES = (("Programme", "text"), ("Résultats", "text"), ("Variables", "tree"), ("Suivi", "table"))


def focalise(racine):
    """The area that has the focus (a table's current cell is focused too)."""
    for nom, role in ZONES:
        objet = trouver(racine, nom=nom, role=role)
        if objet is not None and objet.getState().contains(pyatspi.STATE_FOCUSED):
            return objet
    return None


def touche(nom, maj=False):
    # X key codes of the usual keyboard map (evdev): F6 72, left Shift 50.
    code = {"F6": 72}[nom]
    if maj:
        pyatspi.Registry.generateKeyboardEvent(50, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_PRESSRELEASE)
    if maj:
        pyatspi.Registry.generateKeyboardEvent(50, None, pyatspi.KEY_RELEASE)
    time.sleep(0.4)


def arbre(racine, titre):
    print("== " + titre)
    for objet, profondeur in tous(racine):
        role = objet.getRoleName()
        if role in ("menu item", "menu", "separator", "check menu item"):
            continue
        valeur = ""
        try:
            if objet.name in ("Marge",):
                valeur = " = " + objet.description
        except Exception:
            pass
        print("  " * profondeur + "%s « %s »%s" % (role, objet.name, valeur))


def activer_fenetre(titre):
    """Gives the X keyboard focus to the top-level window whose title starts
    with `titre` (there is no window manager to do it), so that Qt makes it
    the active window and keys reach it."""
    import ctypes
    x = ctypes.cdll.LoadLibrary("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
                             ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)), ctypes.POINTER(ctypes.c_uint)]
    x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
    x.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
    x.XRaiseWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x.XFlush.argtypes = [ctypes.c_void_p]
    ecran = x.XOpenDisplay(None)
    racine, parent = ctypes.c_ulong(), ctypes.c_ulong()
    enfants, nombre = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    x.XQueryTree(ecran, x.XDefaultRootWindow(ecran), ctypes.byref(racine), ctypes.byref(parent), ctypes.byref(enfants), ctypes.byref(nombre))
    for i in range(nombre.value):
        nom = ctypes.c_char_p()
        if x.XFetchName(ecran, enfants[i], ctypes.byref(nom)) and nom.value and nom.value.decode("utf-8", "replace").startswith(titre):
            x.XRaiseWindow(ecran, enfants[i])
            x.XSetInputFocus(ecran, enfants[i], 1, 0)   # RevertToPointerRoot, CurrentTime
            x.XFlush(ecran)
            return True
    return False


def capture(nom):
    if not captures:
        return
    os.makedirs(captures, exist_ok=True)
    subprocess.run(["import", "-window", "root", os.path.join(captures, nom)], check=False)


programme = "Entier i\r\n[a]\r\nDonner à i la valeur i+1\r\nAfficher \"tour\" ; i\r\nAller à [a] si i < 3\r\n"
with tempfile.NamedTemporaryFile("wb", suffix=".txt", delete=False) as fichier:
    fichier.write(programme.encode("cp1252"))
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", QT_QPA_PLATFORM="xcb")
fenetre = subprocess.Popen([trevane, fichier.name], env=env)
try:
    app = attendre(application)
    verifier(app is not None, "Trevane sur le bus AT-SPI")
    if app is None:
        sys.exit(1)
    pane = attendre(lambda: trouver(app, nom="Informations", role="text") or trouver(app, nom="Résultats", role="text"))
    verifier(pane is not None, "le panneau des affichages, nommé d'après son mode")
    arbre(app, "avant l'exécution")
    capture(os.environ.get("TREVANE_CAPTURE_AVANT", "avant.png"))

    actionner(app, "Normale")
    resultat = attendre(lambda: "Exécution terminée." in texte(trouver(app, nom="Résultats", role="text"))
                        and trouver(app, nom="Résultats", role="text"))
    verifier(resultat is not None, "le panneau « Résultats » après l'exécution")
    if resultat is not None:
        lu = texte(resultat)
        verifier(lu.startswith(" tour 1\n tour 2\n tour 3\n Exécution terminée."), "lignes lues par AT-SPI : " + repr(lu[:80]))
        verifier(resultat.description == "Exécution terminée.", "fin annoncée : " + repr(resultat.description))
        verifier(resultat.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY), "rôle texte : " + resultat.getRoleName())

    actionner(app, "Variables")
    attendre(lambda: trouver(app, nom="Variables", role="tree table") or trouver(app, nom="Variables", role="tree"))
    time.sleep(0.5)
    arbre(app, "après l'exécution, panneau Variables montré")
    capture(os.environ.get("TREVANE_CAPTURE_APRES", "apres.png"))

    sansNom = []
    for objet, _ in tous(app):
        etat = objet.getState()
        if etat.contains(pyatspi.STATE_FOCUSABLE) and etat.contains(pyatspi.STATE_SHOWING) and not objet.name.strip():
            sansNom.append(objet.getRoleName())
    verifier(not sansNom, "un nom pour chaque objet focalisable montré " + repr(sansNom))

    # F6 from the editor: pane, Variables, Suivi, editor; Shift+F6 back.
    verifier(activer_fenetre("Trevane"), "fenêtre activée")
    time.sleep(0.5)
    editeur = trouver(app, nom="Programme")
    editeur.queryComponent().grabFocus()
    time.sleep(0.4)
    vus = []
    for _ in range(4):
        touche("F6")
        objet = focalise(app)
        vus.append(objet.name if objet else None)
    print("F6 :", " → ".join(str(v) for v in vus))
    verifier(vus == ["Résultats", "Variables", "Suivi", "Programme"], "F6 passe par les quatre zones")
    touche("F6", maj=True)
    objet = focalise(app)
    verifier(objet is not None and objet.name == "Suivi", "Maj+F6 revient en arrière")
finally:
    fenetre.terminate()
    try:
        fenetre.wait(10)
    except subprocess.TimeoutExpired:
        fenetre.kill()
    os.unlink(fichier.name)

sys.exit(1 if echecs else 0)
