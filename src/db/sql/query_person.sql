SELECT * FROM operator
WHERE login = :login
AND operating = 1
